// The Win32 window toolkit: window classes for top-level windows, labels and link labels; the
// system's push buttons, radio buttons and group boxes; the message loop.
#include "platform/win32/window_system_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <memory>
#include <vector>
#include <string>

#include "platform/win32/code_page.h"
#include "platform/win32/unique_handle.h"
#include "ui/link_label.h"

namespace tessivo::win32 {
namespace {

constexpr wchar_t kTopLevelClass[] = L"TessivoWindow";
constexpr wchar_t kLabelClass[] = L"TessivoLabel";
constexpr wchar_t kLinkLabelClass[] = L"TessivoLinkLabel";
// Posted by PostDestroyRequest; taken by whichever loop runs.
constexpr UINT kDestroyRequestMessage = WM_APP + 1;
constexpr UINT_PTR kGroupBoxSubclassId = 1;
constexpr int kFirstControlId = 1000;
// DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX: a link label's text on one
// line in the middle of the label, ampersands as they are, not clipped to the rectangle.
constexpr UINT kLinkLabelTextFormat = 0x925;
static_assert(kLinkLabelTextFormat == (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX));
// The program icon in the resources.
constexpr WORD kProgramIconId = 1;

std::wstring Wide(std::string_view text) { return CodePageToWide(kTextCodePage, text); }

HWND ToHwnd(UiHandle handle) { return reinterpret_cast<HWND>(handle); }
UiHandle ToHandle(HWND window) { return reinterpret_cast<UiHandle>(window); }

COLORREF ToColorRef(ui::Color color) { return RGB(color.red, color.green, color.blue); }

DWORD BorderStyle(ui::Border border) { return border == ui::Border::SingleLine ? WS_BORDER : 0; }

DWORD BorderExStyle(ui::Border border) {
  switch (border) {
    case ui::Border::Sunken: return WS_EX_CLIENTEDGE;
    case ui::Border::RaisedDialog: return WS_EX_DLGMODALFRAME;
    case ui::Border::Static: return WS_EX_STATICEDGE;
    case ui::Border::SunkenAndRaised: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

UINT LabelTextFormat(const ui::ControlDefinition& label) {
  UINT format = DT_SINGLELINE | DT_NOPREFIX;
  switch (label.horizontalAlignment) {
    case ui::HorizontalAlignment::Left: format |= DT_LEFT; break;
    case ui::HorizontalAlignment::Center: format |= DT_CENTER; break;
    case ui::HorizontalAlignment::Right: format |= DT_RIGHT; break;
  }
  switch (label.verticalAlignment) {
    case ui::VerticalAlignment::Top: format |= DT_TOP; break;
    case ui::VerticalAlignment::Center: format |= DT_VCENTER; break;
    case ui::VerticalAlignment::Bottom: format |= DT_BOTTOM; break;
  }
  return format;
}

// A font from its description: height, weight, italic, underline, strike-out and face name as
// given; character set, precisions and pitch left to the system; proof quality.
FontHandle MakeFont(const ui::FontDescription& description) {
  LOGFONTW font{};
  font.lfHeight = description.height;
  font.lfWeight = description.weight;
  font.lfItalic = description.italic;
  font.lfUnderline = description.underline;
  font.lfStrikeOut = description.strikeOut;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  const std::wstring face = Wide(description.faceName);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return FontHandle(::CreateFontIndirectW(&font));
}

bool IsOurTopLevel(HWND window) {
  wchar_t name[32];
  return window != nullptr && ::GetClassNameW(window, name, 32) > 0 && std::wstring_view(name) == kTopLevelClass;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Moves the window as if its title bar had been grabbed.
void StartDrag(HWND topLevel) {
  ::ReleaseCapture();
  ::SendMessageW(topLevel, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace

struct Win32WindowSystem::TopLevel {
  Win32WindowSystem* system = nullptr;
  ui::WindowSettings settings;
  bool invisibleOwner = false;
  int nextControlId = kFirstControlId;
  HWND lastFocus = nullptr;
};

struct Win32WindowSystem::Control {
  Win32WindowSystem* system = nullptr;
  ui::ControlDefinition definition;
  FontHandle font;         // only when the definition names a font
  BrushHandle background;  // only when the definition gives a colour
  ui::LinkLabelState link;
};

namespace {

template <typename T>
T* FromUserData(HWND window) {
  return reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Stores the object given to CreateWindowEx in the window at WM_NCCREATE.
template <typename T>
T* Attach(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
  }
  return FromUserData<T>(window);
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance, Shell& shell, Registry& registry)
    : instance_(instance), shell_(shell), registry_(registry), buttonFace_(::GetSysColorBrush(COLOR_BTNFACE)) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  WNDCLASSEXW top{};
  top.cbSize = sizeof(top);
  top.lpfnWndProc = TopLevelProc;
  top.hInstance = instance;
  top.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconId));
  top.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  top.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  top.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  top.lpszClassName = kTopLevelClass;

  WNDCLASSEXW label{};
  label.cbSize = sizeof(label);
  label.lpfnWndProc = LabelProc;
  label.hInstance = instance;
  label.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  label.lpszClassName = kLabelClass;

  WNDCLASSEXW link = label;
  link.lpfnWndProc = LinkLabelProc;
  // A double click arrives as WM_LBUTTONDBLCLK, which the label ignores: it opens once.
  link.style = CS_DBLCLKS;
  link.lpszClassName = kLinkLabelClass;

  // The classes stay registered for the life of the process: their procedures find the
  // toolkit through each window, so a later toolkit uses them as they are.
  auto registered = [instance](const WNDCLASSEXW& windowClass) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    return ::GetClassInfoExW(instance, windowClass.lpszClassName, &existing) != FALSE ||
           ::RegisterClassExW(&windowClass) != 0;
  };
  ready_ = registered(top) && registered(label) && registered(link);
}

Win32WindowSystem::~Win32WindowSystem() {
  // Whatever is still open goes with the toolkit, without events to a model that may be gone.
  sink_ = nullptr;
  for (HWND window : topLevels_) {
    if (::IsWindow(window)) ::DestroyWindow(window);
  }
}

ui::Size Win32WindowSystem::ScreenSize() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

UiHandle Win32WindowSystem::CreateInvisibleOwner() {
  auto* top = new TopLevel{this, {}, true};
  // A tool window never shown: what it owns gets no taskbar button.
  HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, kTopLevelClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance_, top);
  if (window == nullptr) {
    delete top;
  } else {
    topLevels_.push_back(window);
  }
  return ToHandle(window);
}

UiHandle Win32WindowSystem::CreateTopLevelWindow(const ui::WindowSettings& settings, const ui::Rect& outer,
                                                 UiHandle owner) {
  const bool titleBar = !settings.caption.empty() || settings.systemMenu;
  // A fixed dialog frame: no sizing border. WS_CAPTION is the frame with a title bar.
  DWORD style = WS_POPUP | WS_CLIPCHILDREN | (titleBar ? WS_CAPTION : WS_DLGFRAME);
  if (settings.systemMenu) style |= WS_SYSMENU;
  if (settings.minimizeButton) style |= WS_MINIMIZEBOX;
  if (settings.maximizeButton) style |= WS_MAXIMIZEBOX;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (settings.alwaysOnTop) exStyle |= WS_EX_TOPMOST;

  auto* top = new TopLevel{this, settings, false};
  HWND window = ::CreateWindowExW(exStyle, kTopLevelClass, Wide(settings.caption).c_str(), style, outer.left,
                                  outer.top, outer.width, outer.height, ToHwnd(owner), nullptr, instance_, top);
  if (window == nullptr) {
    delete top;
  } else {
    std::erase_if(topLevels_, [](HWND old) { return !::IsWindow(old); });
    topLevels_.push_back(window);
  }
  return ToHandle(window);
}

UiHandle Win32WindowSystem::CreateControl(UiHandle windowHandle, UiHandle containerHandle,
                                          const ui::ControlDefinition& definition) {
  HWND window = ToHwnd(windowHandle);
  HWND parent = containerHandle != 0 ? ToHwnd(containerHandle) : window;
  TopLevel* top = FromUserData<TopLevel>(window);
  if (top == nullptr || definition.kind == ui::ControlKind::Timer) return 0;

  auto control = std::make_unique<Control>();
  control->system = this;
  control->definition = definition;
  if (definition.font) control->font = MakeFont(*definition.font);
  if (definition.backColor) control->background.Reset(::CreateSolidBrush(ToColorRef(*definition.backColor)));

  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (definition.visible) style |= WS_VISIBLE;
  if (!definition.enabled) style |= WS_DISABLED;
  if (definition.tabStop) style |= WS_TABSTOP;
  DWORD exStyle = 0;
  const wchar_t* className = kLabelClass;
  bool ours = true;  // our own window classes, or the system's button
  std::wstring text = Wide(definition.text);
  switch (definition.kind) {
    case ui::ControlKind::Label:
      style |= BorderStyle(definition.border);
      exStyle |= BorderExStyle(definition.border);
      break;
    case ui::ControlKind::LinkLabel:
      className = kLinkLabelClass;
      style |= BorderStyle(definition.border);
      exStyle |= BorderExStyle(definition.border);
      // The window text is what the label shows, so that it can be read back.
      text = Wide(ui::LinkLabelText(definition));
      break;
    case ui::ControlKind::PushButton:
      className = WC_BUTTONW;
      ours = false;
      style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
      break;
    case ui::ControlKind::RadioButton:
      className = WC_BUTTONW;
      ours = false;
      style |= BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER;
      break;
    case ui::ControlKind::GroupBox:
      className = WC_BUTTONW;
      ours = false;
      style |= BS_GROUPBOX | WS_CLIPCHILDREN;
      // Tab moves into the controls inside it.
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case ui::ControlKind::Timer:
      return 0;
  }

  const int id = top->nextControlId++;
  HWND hwnd = ::CreateWindowExW(exStyle, className, text.c_str(), style, definition.rect.left, definition.rect.top,
                                definition.rect.width, definition.rect.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                ours ? control.get() : nullptr);
  if (hwnd == nullptr) return 0;
  Control* owned = control.release();  // freed at WM_NCDESTROY (ours) or by the subclass below
  if (!ours) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owned));
    ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(owned->font ? owned->font.Get()
                                                                          : ::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    if (definition.kind == ui::ControlKind::RadioButton && definition.checked) {
      ::SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    }
    // Every button forwards what its children send and frees its Control when it goes; a
    // group box is painted here.
    ::SetWindowSubclass(hwnd, GroupBoxProc, kGroupBoxSubclassId, reinterpret_cast<DWORD_PTR>(owned));
  }

  // Stacking order is creation order: directly below the sibling created before it.
  HWND lastSibling = nullptr;
  for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling != nullptr; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != hwnd) lastSibling = sibling;
  }
  if (lastSibling != nullptr) {
    ::SetWindowPos(hwnd, lastSibling, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return ToHandle(hwnd);
}

bool Win32WindowSystem::StartTimer(UiHandle window, int timerId, int periodMs) {
  // WM_TIMER is made when the queue is otherwise empty and never piles up: ticks missed while
  // the thread was busy come as one.
  return ::SetTimer(ToHwnd(window), static_cast<UINT_PTR>(timerId), static_cast<UINT>(periodMs), nullptr) != 0;
}

bool Win32WindowSystem::Exists(UiHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

void Win32WindowSystem::Show(UiHandle window, ShowCommand command) {
  int show = SW_SHOW;
  switch (command) {
    case ShowCommand::Show: show = SW_SHOW; break;
    case ShowCommand::Hide: show = SW_HIDE; break;
    case ShowCommand::Restore: show = SW_RESTORE; break;
    case ShowCommand::Minimize: show = SW_SHOWMINIMIZED; break;
    case ShowCommand::Maximize: show = SW_SHOWMAXIMIZED; break;
  }
  ::ShowWindow(ToHwnd(window), show);
}

bool Win32WindowSystem::IsMinimised(UiHandle window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

void Win32WindowSystem::Activate(UiHandle window) { ::SetActiveWindow(ToHwnd(window)); }

bool Win32WindowSystem::IsEnabled(UiHandle window) { return ::IsWindowEnabled(ToHwnd(window)) != FALSE; }

void Win32WindowSystem::Enable(UiHandle window, bool enabled) { ::EnableWindow(ToHwnd(window), enabled ? TRUE : FALSE); }

void Win32WindowSystem::Destroy(UiHandle window) { ::DestroyWindow(ToHwnd(window)); }

void Win32WindowSystem::SetText(UiHandle unit, std::string_view text) {
  HWND hwnd = ToHwnd(unit);
  if (IsOurTopLevel(hwnd)) {
    TopLevel* top = FromUserData<TopLevel>(hwnd);
    top->settings.caption = std::string(text);
    // A window made without a title bar gains one with its first caption, at the same outer size.
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    const bool wantTitleBar = !text.empty() || top->settings.systemMenu;
    const bool hasTitleBar = (style & WS_CAPTION) == WS_CAPTION;
    ::SetWindowTextW(hwnd, Wide(text).c_str());
    if (wantTitleBar != hasTitleBar) {
      ::SetWindowLongPtrW(hwnd, GWL_STYLE, wantTitleBar ? (style | WS_CAPTION) : ((style & ~WS_CAPTION) | WS_DLGFRAME));
      ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  if (Control* control = FromUserData<Control>(hwnd)) control->definition.text = std::string(text);
  ::SetWindowTextW(hwnd, Wide(text).c_str());
  ::InvalidateRect(hwnd, nullptr, TRUE);
}

bool Win32WindowSystem::IsChecked(UiHandle control) {
  return ::SendMessageW(ToHwnd(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowSystem::PostDestroyRequest(UiHandle window) {
  ::PostMessageW(ToHwnd(window), kDestroyRequestMessage, 0, 0);
}

void Win32WindowSystem::PostQuit(int exitCode) { ::PostQuitMessage(exitCode); }

std::optional<int> Win32WindowSystem::RunLoop(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);  // WM_QUIT
    if (got == -1) return -1;
    if (PreTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return std::nullopt;
}

bool Win32WindowSystem::PreTranslate(MSG& message) {
  HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  if (!IsOurTopLevel(root)) return false;
  const TopLevel* top = FromUserData<TopLevel>(root);
  if (top == nullptr) return false;
  if (message.message == WM_KEYDOWN) {
    switch (message.wParam) {
      case VK_RETURN:
        if (top->settings.enterMovesFocus) {
          if (HWND next = ::GetNextDlgTabItem(root, ::GetFocus(), FALSE)) ::SetFocus(next);
          return true;
        }
        break;
      case VK_ESCAPE:
        if (top->settings.escapeCloses) ::PostMessageW(root, WM_CLOSE, 0, 0);
        return true;
      case VK_F1:
        return true;  // no help
      default:
        break;
    }
  }
  // Tab and the arrow keys move between the controls, as in a dialog.
  return ::IsDialogMessageW(root, &message) != FALSE;
}

HBRUSH Win32WindowSystem::ControlColor(HDC dc, HWND controlWindow) {
  const Control* control = FromUserData<Control>(controlWindow);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  if (control == nullptr) return buttonFace_;
  ::SetTextColor(dc, ToColorRef(control->definition.textColor));
  if (control->background) {
    ::SetBkColor(dc, ToColorRef(*control->definition.backColor));
    return control->background.Get();
  }
  return buttonFace_;
}

LRESULT CALLBACK Win32WindowSystem::TopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TopLevel* top = Attach<TopLevel>(window, message, lParam);
  if (top == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete top;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return top->system->HandleTopLevel(*top, window, message, wParam, lParam);
}

LRESULT Win32WindowSystem::HandleTopLevel(TopLevel& top, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowEventSink* sink = top.invisibleOwner ? nullptr : sink_;
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && sink != nullptr) {
        sink->OnClicked(ToHandle(reinterpret_cast<HWND>(lParam)));
      }
      return 0;
    case WM_TIMER:
      if (sink != nullptr) sink->OnTimer(ToHandle(window), static_cast<int>(wParam));
      return 0;
    case WM_CLOSE:
      if (sink != nullptr) sink->OnCloseRequest(ToHandle(window));
      return 0;
    case kDestroyRequestMessage:
      if (sink != nullptr) sink->OnDestroyRequest(ToHandle(window));
      return 0;
    case WM_DESTROY:
      if (sink != nullptr) sink->OnDestroyed(ToHandle(window));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_LBUTTONDOWN:
      if (top.settings.dragAnywhere) StartDrag(window);
      return 0;
    case WM_NCACTIVATE:
      // Drawn active whatever the activation; the default handling still lets it go.
      if (top.settings.keepActiveTitleBar) return ::DefWindowProcW(window, message, TRUE, lParam);
      break;
    case WM_ACTIVATE:
      // The keyboard focus goes back to where it was, or to the first control that takes it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        top.lastFocus = ::GetFocus();
      } else {
        HWND focus = top.lastFocus != nullptr && ::IsChild(window, top.lastFocus) ? top.lastFocus
                                                                                    : ::GetNextDlgTabItem(window, nullptr, FALSE);
        if (focus != nullptr) ::SetFocus(focus);
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32WindowSystem::GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
  auto* control = reinterpret_cast<Control*>(data);
  const bool groupBox = control->definition.kind == ui::ControlKind::GroupBox;
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // The controls inside a group box are its children: their notifications go to the window.
      return ::SendMessageW(::GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND:
      if (groupBox) return 1;  // painted whole in WM_PAINT
      break;
    case WM_PAINT:
      if (groupBox) {
        control->system->PaintGroupBox(*control, window);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN: {
      HWND root = ::GetAncestor(window, GA_ROOT);
      const TopLevel* top = FromUserData<TopLevel>(root);
      if (groupBox && top != nullptr && top->settings.dragAnywhere) {
        StartDrag(root);
        return 0;
      }
      break;
    }
    case WM_NCHITTEST:
      // A group box lets clicks through to its window; with dragging on, the box itself takes
      // them so that a press on it moves the window.
      if (groupBox) {
        const TopLevel* top = FromUserData<TopLevel>(::GetAncestor(window, GA_ROOT));
        if (top != nullptr && top->settings.dragAnywhere) return HTCLIENT;
      }
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, GroupBoxProc, kGroupBoxSubclassId);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete control;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// The group frame as the system draws it (an etched frame, the caption at the top left on the
// background, breaking the frame's top line), with the caption in the box's own colour, which
// neither a themed nor, under every window system, an unthemed group box honours.
void Win32WindowSystem::PaintGroupBox(Control& control, HWND window) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window, &ps);
  RECT client;
  ::GetClientRect(window, &client);
  HBRUSH background = control.background ? control.background.Get() : buttonFace_;
  ::FillRect(dc, &client, background);

  SelectedObject font(dc, control.font ? control.font.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  const std::wstring caption = WindowText(window);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  if (!caption.empty()) {
    RECT text{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_CALCRECT);
    RECT gap = text;
    ::InflateRect(&gap, 2, 0);
    ::FillRect(dc, &gap, background);
    ::SetTextColor(dc, ToColorRef(control.definition.textColor));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
  }
  ::EndPaint(window, &ps);
}

LRESULT CALLBACK Win32WindowSystem::LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* control = Attach<Control>(window, message, lParam);
  if (control == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(window, &ps);
      ::FillRect(dc, &ps.rcPaint, control->background ? control->background.Get() : control->system->buttonFace_);
      RECT client;
      ::GetClientRect(window, &client);
      SelectedObject font(dc, control->font ? control->font.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
      ::SetTextColor(dc, ToColorRef(control->definition.textColor));
      ::SetBkMode(dc, TRANSPARENT);
      std::wstring text = WindowText(window);
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, LabelTextFormat(control->definition));
      ::EndPaint(window, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      HWND root = ::GetAncestor(window, GA_ROOT);
      const TopLevel* top = FromUserData<TopLevel>(root);
      if (top != nullptr && top->settings.dragAnywhere) StartDrag(root);
      return 0;
    }
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete control;
      return ::DefWindowProcW(window, message, wParam, lParam);
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32WindowSystem::LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* control = Attach<Control>(window, message, lParam);
  if (control == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete control;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return control->system->HandleLinkLabel(*control, window, message, wParam, lParam);
}

LRESULT Win32WindowSystem::HandleLinkLabel(Control& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(window, &ps);
      ::FillRect(dc, &ps.rcPaint, control.background ? control.background.Get() : buttonFace_);
      RECT client;
      ::GetClientRect(window, &client);
      SelectedObject font(dc, control.font ? control.font.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
      ::SetTextColor(dc, ToColorRef(ui::LinkLabelTextColor(control.definition, control.link)));
      ::SetBkMode(dc, TRANSPARENT);
      const std::wstring text = Wide(ui::LinkLabelText(control.definition));
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, kLinkLabelTextFormat);
      ::EndPaint(window, &ps);
      return 0;
    }
    case WM_MOUSEMOVE: {
      RECT client;
      ::GetClientRect(window, &client);
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const ui::MouseMoveResult result =
          ui::OnLinkLabelMouseMove(control.link, ::PtInRect(&client, point) != FALSE, ::GetCapture() == window);
      if (result.capture == ui::CaptureChange::Take) ::SetCapture(window);
      if (result.capture == ui::CaptureChange::Release) ::ReleaseCapture();
      if (result.repaint) ::InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (ui::OnLinkLabelPress(control.link, control.definition, shell_, registry_)) {
        ::InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      return 0;
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tessivo::win32
