#pragma once

#include <filesystem>
#include <string>

#include "app/window_user_interface.h"
#include "win32/win32_api.h"

namespace sfxtal::win32 {

/// The user interface of the logic over Win32: message boxes without an icon under "SfxTal" with
/// Yes the default, the busy pointer, the desktop's opener, and a pass over pending messages.
class Win32UserInterface : public app::WindowUserInterface {
 public:
  static constexpr const wchar_t* kTitle = L"SfxTal";

  /// Makes the common controls (list view, tooltips) available to the windows.
  Win32UserInterface();

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void OpenFile(const std::filesystem::path& path) override;

 protected:
  void RunPendingEvents() override;
  void ShowBusyPointer(bool busy) override;
  void HideWindowsAndQuit() override;
};

/// The program's message loop, until the program ends: the exit code.
int RunMessageLoop();
/// Hands one message to its window, Tab and the arrow keys walking the window's controls.
void DispatchToForm(MSG& message);
/// Runs messages until `done` turns true or the program is told to quit (the quit then stays
/// posted for the outer loop).
void RunModalLoop(const bool& done);
/// The window that message boxes and dialogs stand over: the active one, else any visible one of
/// the program's.
HWND DialogOwner();

}  // namespace sfxtal::win32
