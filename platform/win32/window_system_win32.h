// The window toolkit on Win32: top-level windows and their controls built from window
// definitions, the message loop, posted destroy requests and timers.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/window_system.h"

namespace tessivo {
class Registry;
class Shell;
}  // namespace tessivo

namespace tessivo::win32 {

class Win32WindowSystem : public WindowSystem {
 public:
  // Link labels open their addresses through `shell` and `registry`.
  Win32WindowSystem(HINSTANCE instance, Shell& shell, Registry& registry);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  // False when the window classes could not be registered.
  bool Ready() const { return ready_; }

  void SetEventSink(WindowEventSink* sink) override { sink_ = sink; }
  ui::Size ScreenSize() override;
  UiHandle CreateInvisibleOwner() override;
  UiHandle CreateTopLevelWindow(const ui::WindowSettings& settings, const ui::Rect& outer, UiHandle owner) override;
  UiHandle CreateControl(UiHandle window, UiHandle container, const ui::ControlDefinition& control) override;
  bool StartTimer(UiHandle window, int timerId, int periodMs) override;
  bool Exists(UiHandle window) override;
  void Show(UiHandle window, ShowCommand command) override;
  bool IsMinimised(UiHandle window) override;
  void Activate(UiHandle window) override;
  bool IsEnabled(UiHandle window) override;
  void Enable(UiHandle window, bool enabled) override;
  void Destroy(UiHandle window) override;
  void SetText(UiHandle unit, std::string_view text) override;
  bool IsChecked(UiHandle control) override;
  void PostDestroyRequest(UiHandle window) override;
  void PostQuit(int exitCode) override;
  std::optional<int> RunLoop(const std::function<bool()>& done) override;

 private:
  struct TopLevel;
  struct Control;

  static LRESULT CALLBACK TopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);

  LRESULT HandleTopLevel(TopLevel& top, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleLinkLabel(Control& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Keyboard rules of our windows (Enter as Tab, Esc, F1) and dialog navigation. True when
  // the message was used up.
  bool PreTranslate(MSG& message);
  HBRUSH ControlColor(HDC dc, HWND control);
  void PaintGroupBox(Control& control, HWND window);

  HINSTANCE instance_;
  Shell& shell_;
  Registry& registry_;
  WindowEventSink* sink_ = nullptr;
  bool ready_ = false;
  HBRUSH buttonFace_ = nullptr;  // system brush, not ours to free
  std::vector<HWND> topLevels_;  // every top-level window made, destroyed with the toolkit
};

}  // namespace tessivo::win32
