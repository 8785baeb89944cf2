// One move-only owner for Win32 handles, with the function that frees each kind, and a guard
// that puts back the GDI object that SelectObject replaced.
#pragma once

#include <windows.h>

#include <utility>

namespace tessivo::win32 {

template <typename Handle, auto Free>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void CloseRegistryKey(HKEY key) { ::RegCloseKey(key); }
inline void DestroyOwnedWindow(HWND window) { ::DestroyWindow(window); }

using FontHandle = UniqueHandle<HFONT, DeleteGdiObject>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteGdiObject>;
using RegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using OwnedWindow = UniqueHandle<HWND, DestroyOwnedWindow>;

// Selects a GDI object into a device context for one scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tessivo::win32
