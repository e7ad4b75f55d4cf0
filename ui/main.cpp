// sfxtal: the program an operator starts. It makes the application, finds the program folder,
// ends at once when another instance runs there, and opens the main window over the built-in
// spreadsheet stand-in.
#include <QApplication>

#include "platform/program_folder.h"
#include "standin/stand_in_spreadsheet.h"
#include "ui/font_substitutes.h"
#include "ui/instance_lock.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  sfxtal::ui::InstallFontSubstitutes();
  const std::filesystem::path programFolder = sfxtal::platform::ProgramFolder();
  const auto lock = sfxtal::ui::TakeInstanceLock(programFolder);
  if (lock == nullptr) return 0;

  sfxtal::ui::QtUserInterface ui;
  sfxtal::standin::StandInFactory spreadsheet(ui);
  sfxtal::ui::MainWindow window(programFolder, ui, spreadsheet);
  if (ui.Ended()) return 0;
  window.show();
  return QApplication::exec();
}
