// sfxtal: the program an operator starts. It makes the application, finds the program folder,
// ends at once when another instance runs there, and opens the main window over the spreadsheet
// choice, which here always falls to the built-in stand-in.
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "platform/program_folder.h"
#include "sfxtal_version.h"
#include "standin/spreadsheet_choice.h"
#include "standin/stand_in_spreadsheet.h"
#include "ui/application_setup.h"
#include "ui/instance_lock.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"

int main(int argc, char** argv) {
  // Answered before the application is made, so that it needs no display.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("sfxtal %s\n", sfxtal::kVersion);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationVersion(QString::fromLatin1(sfxtal::kVersion));
  sfxtal::ui::SetUpApplication();
  const std::filesystem::path programFolder = sfxtal::platform::ProgramFolder();
  const auto lock = sfxtal::ui::TakeInstanceLock(programFolder);
  if (lock == nullptr) return 0;
  // Before anything is read: a run ended while replacing files is finished or undone.
  sfxtal::standin::RecoverProgramFolder(programFolder);

  sfxtal::ui::QtUserInterface ui;
  sfxtal::standin::SpreadsheetChoice spreadsheet(ui);
  sfxtal::ui::MainWindow window(programFolder, ui, spreadsheet);
  if (ui.Ended()) return 0;
  window.show();
  return QApplication::exec();
}
