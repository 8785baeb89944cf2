// wininspect: reads the windows of other programs back by their texts, for the end-to-end tests
// that run Tessivo时间同步器 under Wine, and clicks and closes them as a user would.
//
//   wininspect [--desktop NAME] COMMAND ARGS...
//
//   list [TITLE]                     every top-level window of other processes (only those titled
//                                    TITLE when given) and all their controls, recursively
//   wait-window TITLE [TIMEOUT-MS]   waits until a visible top-level window titled TITLE answers
//                                    messages; prints its line
//   wait-gone TITLE [TIMEOUT-MS]     waits until no top-level window is titled TITLE
//   click TITLE CLASS TEXT           clicks the control of the visible window TITLE whose class
//                                    (or kind, see below) is CLASS and whose text is TEXT
//   close TITLE [TIMEOUT-MS]         sends WM_CLOSE to the visible window TITLE, waits until the
//                                    window is gone and then for its process to end
//   resources FILE                   the version block, icon groups and manifest of a program
//   screen                           the screen size the desktop's programs see
//
// --desktop NAME works on the windows of a named desktop, such as the one that
// `wine explorer /desktop=NAME,WxH program.exe` creates; without it, the caller's own desktop.
//
// Output: one record per line, UTF-8, fields separated by tabs; a backslash, tab, carriage
// return and line feed in a text read as \\, \t, \r and \n, other control characters as \xHH.
// Rectangles read x,y,width,height. Handles and style bits are hexadecimal.
//
//   window  HWND PID CLASS TITLE VISIBLE ENABLED WINDOW-RECT CLIENT-RECT STYLE EXSTYLE
//           (both rectangles in screen coordinates)
//   control HWND TOP-HWND PARENT-HWND ID CLASS KIND TEXT VISIBLE ENABLED RECT STYLE EXSTYLE
//           (RECT relative to the client area of its top-level window)
//   clicked HWND CLASS TEXT done|pending     (pending: its handler still runs, e.g. a modal wait)
//   closed  HWND PID exit=CODE|running
//   fixed   FILEVERSION PRODUCTVERSION FILEOS FILETYPE
//   translation LANGUAGE CODEPAGE            (four hexadecimal digits each)
//   string  BLOCK NAME VALUE
//   icon    NAME SIZE...                     (each size WIDTHxHEIGHTxBITS, in resource order)
//   manifest NAME TEXT
//   screen  WIDTH HEIGHT
//
// KIND tells controls of the same class apart: a Button is a PushButton, CheckBox, RadioButton
// or GroupBox by its style, since a group box and a button can carry the same text; other
// classes are their own kind. CLASS on the command line matches either, case-insensitively;
// TEXT matches exactly. A group box is never a click target.
//
// Exit codes: 0 done, 1 not found or timed out, 2 bad command line, 3 the control cannot be
// clicked (hidden, disabled or a group box), 4 a system call failed.
//
// Command-line texts are compared in UTF-16 as Windows gives them (GetCommandLineW), so a
// title in Chinese arrives intact when Wine runs under a UTF-8 locale.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitSystem = 4;

constexpr DWORD kDefaultWaitMs = 20000;
constexpr DWORD kPollMs = 50;
// How long a window may take to answer one message before we call it busy.
constexpr UINT kAnswerTimeoutMs = 2000;
// How long a click waits for its handler; longer means the handler waits on something (a
// modal window), and the click is reported as pending rather than holding the caller.
constexpr UINT kClickTimeoutMs = 3000;

// ---- owners -------------------------------------------------------------------------------

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != nullptr) ::CloseHandle(handle);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct DesktopCloser {
  void operator()(HDESK desktop) const {
    if (desktop != nullptr) ::CloseDesktop(desktop);
  }
};
using UniqueDesktop = std::unique_ptr<std::remove_pointer_t<HDESK>, DesktopCloser>;

struct ModuleFreer {
  void operator()(HMODULE module) const {
    if (module != nullptr) ::FreeLibrary(module);
  }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

struct LocalFreer {
  void operator()(void* memory) const { ::LocalFree(memory); }
};

// ---- text and output ----------------------------------------------------------------------

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                          nullptr);
  }
  return result;
}

// A text as one tab-free, line-free field.
std::string Field(std::wstring_view text) {
  std::string raw = Utf8(text);
  std::string out;
  out.reserve(raw.size());
  for (const char c : raw) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out;
}

void WriteTo(DWORD which, const std::string& text) {
  HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    if (!::WriteFile(handle, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr) ||
        written == 0) {
      return;
    }
    done += written;
  }
}

// One record: the fields joined by tabs, then a line feed.
void Emit(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i != 0) line += '\t';
    line += fields[i];
  }
  line += '\n';
  WriteTo(STD_OUTPUT_HANDLE, line);
}

void Error(const std::string& message) { WriteTo(STD_ERROR_HANDLE, "wininspect: " + message + "\n"); }

std::string Hex(unsigned long long value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%llX", value);
  return buffer;
}

std::string HandleText(HWND window) { return Hex(reinterpret_cast<ULONG_PTR>(window)); }

std::string Number(long long value) { return std::to_string(value); }

std::string RectText(const RECT& rect) {
  return Number(rect.left) + "," + Number(rect.top) + "," + Number(rect.right - rect.left) + "," +
         Number(rect.bottom - rect.top);
}

std::string Flag(bool value) { return value ? "1" : "0"; }

bool SameClass(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// ---- reading windows ----------------------------------------------------------------------

std::wstring ClassName(HWND window) {
  wchar_t name[256];
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

// A top-level window's title as the system keeps it: reading it sends no message, so a busy
// program cannot hold us up.
std::wstring Title(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

// A control's text as the control itself reports it (an edit field's current contents, not the
// text it was created with). Falls back to the system's copy when the control does not answer.
std::wstring ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) {
    return Title(control);
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
    return Title(control);
  }
  text.resize(copied < text.size() ? static_cast<size_t>(copied) : text.size() - 1);
  return text;
}

std::wstring Kind(HWND control, const std::wstring& className) {
  if (!SameClass(className, L"Button")) return className;
  switch (::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return L"PushButton";
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return L"CheckBox";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return L"RadioButton";
    case BS_GROUPBOX:
      return L"GroupBox";
    default:
      return className;
  }
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        if (ProcessOf(window) != ::GetCurrentProcessId()) {
          reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Every descendant, parents before their children.
std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> children;
  ::EnumChildWindows(
      top,
      [](HWND window, LPARAM context) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

std::vector<HWND> WindowsTitled(std::wstring_view title, bool visibleOnly) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows()) {
    if (visibleOnly && !::IsWindowVisible(window)) continue;
    if (Title(window) == title) found.push_back(window);
  }
  return found;
}

// A rectangle in screen coordinates, made relative to the client area of `top`.
RECT RelativeTo(HWND top, RECT rect) {
  ::MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<std::string> WindowRecord(HWND window) {
  RECT outer{};
  ::GetWindowRect(window, &outer);
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  return {"window",
          HandleText(window),
          Number(ProcessOf(window)),
          Field(ClassName(window)),
          Field(Title(window)),
          Flag(::IsWindowVisible(window) != FALSE),
          Flag(::IsWindowEnabled(window) != FALSE),
          RectText(outer),
          RectText(client),
          Hex(static_cast<ULONG_PTR>(::GetWindowLongPtrW(window, GWL_STYLE))),
          Hex(static_cast<ULONG_PTR>(::GetWindowLongPtrW(window, GWL_EXSTYLE)))};
}

std::vector<std::string> ControlRecord(HWND top, HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  const std::wstring className = ClassName(control);
  return {"control",
          HandleText(control),
          HandleText(top),
          HandleText(::GetParent(control)),
          Number(::GetDlgCtrlID(control)),
          Field(className),
          Field(Kind(control, className)),
          Field(ControlText(control)),
          Flag(::IsWindowVisible(control) != FALSE),
          Flag(::IsWindowEnabled(control) != FALSE),
          RectText(RelativeTo(top, rect)),
          Hex(static_cast<ULONG_PTR>(::GetWindowLongPtrW(control, GWL_STYLE))),
          Hex(static_cast<ULONG_PTR>(::GetWindowLongPtrW(control, GWL_EXSTYLE)))};
}

// Whether the window's thread takes messages: it has left its start-up code for its message loop.
bool Answers(HWND window) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored) != 0;
}

// The one visible top-level window titled `title`, or an explanation.
HWND OneVisibleWindow(std::wstring_view title, int& exitCode) {
  const std::vector<HWND> found = WindowsTitled(title, true);
  if (found.size() == 1) return found.front();
  if (found.empty()) {
    const bool hidden = !WindowsTitled(title, false).empty();
    Error("no visible top-level window titled \"" + Utf8(title) + "\"" + (hidden ? " (there is a hidden one)" : ""));
    exitCode = kExitNotFound;
  } else {
    Error(Number(static_cast<long long>(found.size())) + " visible top-level windows are titled \"" + Utf8(title) +
          "\"");
    for (HWND window : found) Emit(WindowRecord(window));
    exitCode = kExitNotFound;
  }
  return nullptr;
}

bool ParseTimeout(const wchar_t* text, DWORD& timeoutMs) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text, &end, 10);
  if (end == text || *end != L'\0') return false;
  timeoutMs = static_cast<DWORD>(value);
  return true;
}

// ---- commands -----------------------------------------------------------------------------

int List(const wchar_t* title) {
  for (HWND top : TopLevelWindows()) {
    if (title != nullptr && Title(top) != title) continue;
    Emit(WindowRecord(top));
    for (HWND control : Descendants(top)) Emit(ControlRecord(top, control));
  }
  return kExitOk;
}

int WaitWindow(std::wstring_view title, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    for (HWND window : WindowsTitled(title, true)) {
      if (Answers(window)) {
        Emit(WindowRecord(window));
        return kExitOk;
      }
    }
    if (::GetTickCount64() >= deadline) break;
    ::Sleep(kPollMs);
  }
  const bool hidden = !WindowsTitled(title, false).empty();
  Error("no visible top-level window titled \"" + Utf8(title) + "\" after " + Number(timeoutMs) + " ms" +
        (hidden ? " (there is a hidden one)" : ""));
  return kExitNotFound;
}

int WaitGone(std::wstring_view title, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (WindowsTitled(title, false).empty()) return kExitOk;
    if (::GetTickCount64() >= deadline) break;
    ::Sleep(kPollMs);
  }
  Error("a top-level window titled \"" + Utf8(title) + "\" is still there after " + Number(timeoutMs) + " ms");
  return kExitNotFound;
}

bool MatchesClass(HWND control, std::wstring_view wanted) {
  const std::wstring className = ClassName(control);
  return SameClass(className, wanted) || SameClass(Kind(control, className), wanted);
}

int Click(std::wstring_view title, std::wstring_view wantedClass, std::wstring_view text) {
  int exitCode = kExitOk;
  HWND top = OneVisibleWindow(title, exitCode);
  if (top == nullptr) return exitCode;

  std::vector<HWND> found;
  for (HWND control : Descendants(top)) {
    if (!MatchesClass(control, wantedClass) || ControlText(control) != text) continue;
    if (Kind(control, ClassName(control)) == L"GroupBox") continue;  // it has nothing to click
    found.push_back(control);
  }
  if (found.size() != 1) {
    Error(found.empty() ? "no control of class " + Utf8(wantedClass) + " reads \"" + Utf8(text) + "\" in \"" +
                              Utf8(title) + "\" (group boxes are never click targets)"
                        : Number(static_cast<long long>(found.size())) + " controls of class " + Utf8(wantedClass) +
                              " read \"" + Utf8(text) + "\" in \"" + Utf8(title) + "\"");
    for (HWND control : found) Emit(ControlRecord(top, control));
    return kExitNotFound;
  }
  HWND control = found.front();
  if (!::IsWindowVisible(control) || !::IsWindowEnabled(control) || !::IsWindowEnabled(top)) {
    Error("the control is " + std::string(!::IsWindowVisible(control) ? "hidden" : "disabled") +
          ": a user could not click it");
    Emit(ControlRecord(top, control));
    return kExitRefused;
  }

  // A user's click brings the window to the front first; some buttons only take BM_CLICK then.
  ::SetForegroundWindow(top);
  DWORD_PTR ignored = 0;
  BOOL done = FALSE;
  const std::wstring className = ClassName(control);
  if (SameClass(className, L"Button")) {
    done = ::SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, kClickTimeoutMs, &ignored);
  } else {
    // Controls of our own classes (labels, link labels) answer the mouse: press and release in
    // the middle of the control.
    RECT client{};
    ::GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    done = ::SendMessageTimeoutW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle, SMTO_NORMAL, kClickTimeoutMs,
                                 &ignored) &&
           ::SendMessageTimeoutW(control, WM_LBUTTONUP, 0, middle, SMTO_NORMAL, kClickTimeoutMs, &ignored);
  }
  if (!done && ::GetLastError() != ERROR_TIMEOUT) {
    Error("the click could not be delivered (error " + Number(::GetLastError()) + ")");
    return kExitSystem;
  }
  Emit({"clicked", HandleText(control), Field(className), Field(text), done ? "done" : "pending"});
  return kExitOk;
}

int Close(std::wstring_view title, DWORD timeoutMs) {
  int exitCode = kExitOk;
  HWND top = OneVisibleWindow(title, exitCode);
  if (top == nullptr) return exitCode;
  const DWORD pid = ProcessOf(top);
  // Opened before the window goes, so that the exit code can still be read after the process ends.
  UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!::PostMessageW(top, WM_CLOSE, 0, 0)) {
    Error("WM_CLOSE could not be posted (error " + Number(::GetLastError()) + ")");
    return kExitSystem;
  }

  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (::IsWindow(top)) {
    if (::GetTickCount64() >= deadline) {
      Error("the window \"" + Utf8(title) + "\" is still there " + Number(timeoutMs) + " ms after WM_CLOSE");
      return kExitNotFound;
    }
    ::Sleep(kPollMs);
  }
  std::string state = "running";
  if (process) {
    const ULONGLONG now = ::GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    DWORD code = 0;
    if (::WaitForSingleObject(process.get(), left) == WAIT_OBJECT_0 && ::GetExitCodeProcess(process.get(), &code)) {
      state = "exit=" + Number(code);
    }
  }
  Emit({"closed", HandleText(top), Number(pid), state});
  return kExitOk;
}

// The resource names of one type, as the loader enumerates them.
std::vector<std::wstring> ResourceNames(HMODULE module, const wchar_t* type) {
  std::vector<std::wstring> names;
  ::EnumResourceNamesW(
      module, type,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) -> BOOL {
        auto* list = reinterpret_cast<std::vector<std::wstring>*>(context);
        list->push_back(IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&names));
  return names;
}

const wchar_t* ResourceId(const std::wstring& name) {
  wchar_t* end = nullptr;
  const unsigned long id = std::wcstoul(name.c_str(), &end, 10);
  return (*end == L'\0' && !name.empty()) ? MAKEINTRESOURCEW(id) : name.c_str();
}

std::vector<BYTE> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
  HRSRC found = ::FindResourceW(module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = ::LoadResource(module, found);
  const auto* bytes = static_cast<const BYTE*>(::LockResource(loaded));
  if (bytes == nullptr) return {};
  return std::vector<BYTE>(bytes, bytes + ::SizeofResource(module, found));
}

std::string VersionText(DWORD high, DWORD low) {
  return Number(HIWORD(high)) + "." + Number(LOWORD(high)) + "." + Number(HIWORD(low)) + "." + Number(LOWORD(low));
}

void ReportVersion(const std::wstring& file) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) {
    Error("no version block in " + Utf8(file));
    return;
  }
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return;

  void* value = nullptr;
  UINT length = 0;
  if (::VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    Emit({"fixed", VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
          VersionText(fixed->dwProductVersionMS, fixed->dwProductVersionLS), Hex(fixed->dwFileOS),
          Hex(fixed->dwFileType)});
  }

  static constexpr const wchar_t* kNames[] = {L"CompanyName",      L"FileDescription", L"FileVersion",
                                              L"InternalName",     L"LegalCopyright",  L"LegalTrademarks",
                                              L"OriginalFilename", L"ProductName",     L"ProductVersion",
                                              L"Comments",         L"PrivateBuild",    L"SpecialBuild"};
  if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length)) return;
  const auto* pairs = static_cast<const WORD*>(value);
  for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) {
    wchar_t key[16];
    std::swprintf(key, 16, L"%04X%04X", pairs[i], pairs[i + 1]);
    Emit({"translation", Utf8(std::wstring(key, 4)), Utf8(std::wstring(key + 4, 4))});
    for (const wchar_t* name : kNames) {
      const std::wstring path = std::wstring(L"\\StringFileInfo\\") + key + L"\\" + name;
      if (::VerQueryValueW(block.data(), path.c_str(), &value, &length) && length > 0) {
        // The length counts characters and may include the terminating null.
        std::wstring_view text(static_cast<const wchar_t*>(value), length);
        if (!text.empty() && text.back() == L'\0') text.remove_suffix(1);
        Emit({"string", Utf8(key), Utf8(name), Field(text)});
      }
    }
  }
}

// The layout of a group-icon resource: a header, then one entry per image.
#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colors;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

int Resources(const std::wstring& file) {
  if (::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Error("no such file: " + Utf8(file));
    return kExitNotFound;
  }
  ReportVersion(file);

  UniqueModule module(::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) {
    Error("cannot open the resources of " + Utf8(file) + " (error " + Number(::GetLastError()) + ")");
    return kExitSystem;
  }
  for (const std::wstring& name : ResourceNames(module.get(), RT_GROUP_ICON)) {
    const std::vector<BYTE> bytes = ResourceBytes(module.get(), ResourceId(name), RT_GROUP_ICON);
    if (bytes.size() < sizeof(GroupIconHeader)) continue;
    GroupIconHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    std::vector<std::string> record{"icon", Field(name)};
    for (WORD i = 0; i < header.count; ++i) {
      const size_t offset = sizeof header + i * sizeof(GroupIconEntry);
      if (offset + sizeof(GroupIconEntry) > bytes.size()) break;
      GroupIconEntry entry;
      std::memcpy(&entry, bytes.data() + offset, sizeof entry);
      // A width or height of 0 stands for 256.
      record.push_back(Number(entry.width == 0 ? 256 : entry.width) + "x" + Number(entry.height == 0 ? 256 : entry.height) +
                       "x" + Number(entry.bitCount));
    }
    Emit(record);
  }
  for (const std::wstring& name : ResourceNames(module.get(), RT_MANIFEST)) {
    const std::vector<BYTE> bytes = ResourceBytes(module.get(), ResourceId(name), RT_MANIFEST);
    const std::string text(bytes.begin(), bytes.end());
    // The manifest is UTF-8 already; only line breaks and tabs need escaping.
    std::wstring wide(text.size(), L'\0');
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(size > 0 ? size : 0));
    Emit({"manifest", Field(name), Field(wide)});
  }
  return kExitOk;
}

int Usage() {
  Error(
      "usage: wininspect [--desktop NAME] COMMAND ARGS...\n"
      "  list [TITLE]\n"
      "  wait-window TITLE [TIMEOUT-MS]\n"
      "  wait-gone TITLE [TIMEOUT-MS]\n"
      "  click TITLE CLASS TEXT\n"
      "  close TITLE [TIMEOUT-MS]\n"
      "  resources FILE\n"
      "  screen");
  return kExitUsage;
}

// Moves this thread onto the named desktop, so that EnumWindows sees its windows. A desktop that
// a program is still starting may not exist yet: keep trying until the deadline.
bool UseDesktop(const wchar_t* name, ULONGLONG deadline, UniqueDesktop& desktop) {
  for (;;) {
    desktop.reset(::OpenDesktopW(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE | DESKTOP_WRITEOBJECTS));
    if (desktop) return ::SetThreadDesktop(desktop.get()) != FALSE;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(kPollMs);
  }
}

int Run(int argc, wchar_t** argv) {
  int next = 1;
  const wchar_t* desktopName = nullptr;
  if (next + 1 < argc && std::wcscmp(argv[next], L"--desktop") == 0) {
    desktopName = argv[next + 1];
    next += 2;
  }
  if (next >= argc) return Usage();
  const std::wstring_view command = argv[next++];
  const int count = argc - next;
  wchar_t** args = argv + next;

  DWORD timeoutMs = kDefaultWaitMs;
  const bool waits = command == L"wait-window" || command == L"wait-gone" || command == L"close";
  if (waits) {
    if (count < 1 || count > 2) return Usage();
    if (count == 2 && !ParseTimeout(args[1], timeoutMs)) {
      Error("not a time-out in milliseconds: " + Utf8(args[1]));
      return kExitUsage;
    }
  }

  UniqueDesktop desktop;
  if (desktopName != nullptr) {
    // A desktop goes when its last program ends: waiting for a window to go is then over.
    const bool goneWithDesktop = command == L"wait-gone";
    const ULONGLONG deadline = ::GetTickCount64() + (waits && !goneWithDesktop ? timeoutMs : 0);
    if (!UseDesktop(desktopName, deadline, desktop)) {
      if (goneWithDesktop) return kExitOk;
      Error("cannot use the desktop \"" + Utf8(desktopName) + "\" (error " + Number(::GetLastError()) + ")");
      return kExitNotFound;
    }
  }

  if (command == L"list" && count <= 1) return List(count == 1 ? args[0] : nullptr);
  if (command == L"wait-window") return WaitWindow(args[0], timeoutMs);
  if (command == L"wait-gone") return WaitGone(args[0], timeoutMs);
  if (command == L"close") return Close(args[0], timeoutMs);
  if (command == L"click" && count == 3) return Click(args[0], args[1], args[2]);
  if (command == L"resources" && count == 1) return Resources(args[0]);
  if (command == L"screen" && count == 0) {
    // The screen as the programs on this desktop see it, which centring is computed from.
    Emit({"screen", Number(::GetSystemMetrics(SM_CXSCREEN)), Number(::GetSystemMetrics(SM_CYSCREEN))});
    return kExitOk;
  }
  return Usage();
}

}  // namespace

int wmain() {
  // The arguments as Windows has them, in UTF-16: the C runtime's own copy may have gone through
  // the ANSI code page.
  int argc = 0;
  std::unique_ptr<wchar_t*, LocalFreer> argv(::CommandLineToArgvW(::GetCommandLineW(), &argc));
  if (!argv) {
    Error("cannot read the command line");
    return kExitSystem;
  }
  // On a Windows console, show the UTF-8 output as such; a pipe takes the bytes as they are.
  DWORD mode = 0;
  if (::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode)) ::SetConsoleOutputCP(CP_UTF8);
  return Run(argc, argv.get());
}
