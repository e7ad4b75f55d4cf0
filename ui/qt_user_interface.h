#pragma once

#include <filesystem>
#include <string>

#include "app/window_user_interface.h"

class QWidget;

namespace sfxtal::ui {

/// The user interface of the logic over Qt: message boxes without an icon under "SfxTal", the
/// busy pointer, the desktop's opener and a pass over pending events.
class QtUserInterface : public app::WindowUserInterface {
 public:
  static constexpr const char* kTitle = "SfxTal";

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void OpenFile(const std::filesystem::path& path) override;

 protected:
  void RunPendingEvents() override;
  void ShowBusyPointer(bool busy) override;
  void HideWindowsAndQuit() override;
};

/// True when a desktop session is there to open files in (an X or Wayland display).
bool DesktopSessionPresent();

/// The window that message boxes and dialogs stand over: the active one, else any visible one.
QWidget* DialogParent();

}  // namespace sfxtal::ui
