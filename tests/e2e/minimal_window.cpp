// TessivoMinimalWindow: the smallest window of ours that looks like the program's main window,
// for testing the end-to-end tooling (wininspect, the screenshots) and as the baseline for
// start-up measurements: the same resources, the same common controls, and nothing else.
//
// Its controls, in client coordinates of the window (the first three sit inside the group box,
// whose children they are, as in the program):
//
//   GroupBox "同步"          10,10 340x110
//   Static   "当前系统时间："  22,36 110x20
//   Static   "未同步"          134,36 200x20   reads "已同步 N 次" after N presses of 同步
//   Button   "同步"            22,70 90x28
//   Button   "停用同步"        10,130 110x28   disables 同步
//
// The group box and the button both read "同步", as in the program.

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

constexpr wchar_t kWindowClass[] = L"TessivoMinimalWindow";
constexpr wchar_t kTitle[] = L"Tessivo最小窗口";
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 170;
constexpr int kSyncButtonId = 101;
constexpr int kDisableButtonId = 102;
constexpr int kStatusLabelId = 103;
constexpr UINT_PTR kGroupBoxSubclassId = 1;

struct State {
  HWND syncButton = nullptr;
  HWND status = nullptr;
  int presses = 0;
};

HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
                int height, int id) {
  HWND control = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control != nullptr) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
  return control;
}

// The controls inside the group box are its children: their notifications go on to the window.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_COMMAND) return ::SendMessageW(::GetParent(box), message, wParam, lParam);
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(box, GroupBoxProc, kGroupBoxSubclassId);
  return ::DefSubclassProc(box, message, wParam, lParam);
}

void CreateControls(HWND window, State& state) {
  HWND box = AddControl(window, WC_BUTTONW, L"同步", BS_GROUPBOX | WS_CLIPCHILDREN, 10, 10, 340, 110, 100);
  if (box == nullptr) return;
  ::SetWindowSubclass(box, GroupBoxProc, kGroupBoxSubclassId, 0);
  AddControl(box, WC_STATICW, L"当前系统时间：", SS_LEFT, 12, 26, 110, 20, -1);
  state.status = AddControl(box, WC_STATICW, L"未同步", SS_LEFT, 124, 26, 200, 20, kStatusLabelId);
  state.syncButton = AddControl(box, WC_BUTTONW, L"同步", BS_PUSHBUTTON | WS_TABSTOP, 12, 60, 90, 28, kSyncButtonId);
  AddControl(window, WC_BUTTONW, L"停用同步", BS_PUSHBUTTON | WS_TABSTOP, 10, 130, 110, 28, kDisableButtonId);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<State*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
      break;
    case WM_CREATE:
      CreateControls(window, *state);
      return 0;
    case WM_COMMAND:
      if (state != nullptr && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == kSyncButtonId) {
          ++state->presses;
          const std::wstring text = L"已同步 " + std::to_wstring(state->presses) + L" 次";
          ::SetWindowTextW(state->status, text.c_str());
        } else if (LOWORD(wParam) == kDisableButtonId) {
          ::EnableWindow(state->syncButton, FALSE);
        }
      }
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  // Icon 1 of the program's resources, the large and the small size each from its own image;
  // shared, so the system keeps them for as long as the program runs.
  windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (::RegisterClassExW(&windowClass) == 0) return 1;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT outer{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&outer, style, FALSE, 0);
  State state;
  HWND window = ::CreateWindowExW(0, kWindowClass, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                                  &state);
  if (window == nullptr) return 1;
  ::ShowWindow(window, show);
  ::UpdateWindow(window);

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!::IsDialogMessageW(window, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
