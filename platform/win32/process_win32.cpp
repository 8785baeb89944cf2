// OleInitialize and the program's folder as the current directory.
#include "platform/win32/process_win32.h"

#include <windows.h>
#include <ole2.h>

#include <string>

namespace tessivo::win32 {

bool Win32Process::InitializeObjectModel() {
  // S_FALSE (already open on this thread) is success too and is balanced the same way.
  return SUCCEEDED(::OleInitialize(nullptr));
}

void Win32Process::UninitializeObjectModel() { ::OleUninitialize(); }

void Win32Process::EnterProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // truncated: a longer path than MAX_PATH
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return;
  path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);  // keep "C:\" whole
  ::SetCurrentDirectoryW(path.c_str());
}

}  // namespace tessivo::win32
