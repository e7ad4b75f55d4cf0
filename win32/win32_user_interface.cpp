#include "win32/win32_user_interface.h"

#include "platform/desktop.h"
#include "platform/wide_text_windows.h"

namespace sfxtal::win32 {

Win32UserInterface::Win32UserInterface() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) DispatchToForm(message);
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

void DispatchToForm(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && message.message == WM_KEYDOWN && message.wParam == VK_F1) {
    // The help key, told to the window it was pressed in as WM_HELP; a window that does not
    // answer it passes it on to its owner. Made here because the system does not turn a key into
    // WM_HELP everywhere (Wine's windows never do).
    HELPINFO help{};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.hItemHandle = message.hwnd;
    help.MousePos = message.pt;
    SendMessageW(root, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    return;
  }
  if (root != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void RunModalLoop(const bool& done) {
  MSG message;
  while (!done) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchToForm(message);
  }
}

HWND DialogOwner() {
  if (HWND active = GetActiveWindow()) return active;
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        if (!IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void Win32UserInterface::ShowMessage(const std::string& text) {
  FlushProgress();
  MessageBoxW(DialogOwner(), platform::WideFromUtf8(text).c_str(), kTitle, MB_OK);
}

bool Win32UserInterface::AskYesNo(const std::string& text) {
  // Once the job in hand is to stop, no question holds the end up: No, as a closed box answers.
  if (StopRequested()) return false;
  FlushProgress();
  return MessageBoxW(DialogOwner(), platform::WideFromUtf8(text).c_str(), kTitle,
                     MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

void Win32UserInterface::RunPendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    DispatchToForm(message);
  }
}

void Win32UserInterface::ShowBusyPointer(bool busy) {
  // The windows answer WM_SETCURSOR with this pointer while busy; set now for where it stands.
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32UserInterface::OpenFile(const std::filesystem::path& path) {
  platform::OpenWithDesktop(path);
}

void Win32UserInterface::HideWindowsAndQuit() {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        ShowWindow(window, SW_HIDE);
        return TRUE;
      },
      0);
  PostQuitMessage(0);
}

}  // namespace sfxtal::win32
