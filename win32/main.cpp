// sfxtal.exe: the program an operator starts on Windows. It enters COM's apartment, finds the
// program folder, ends at once when another instance runs there, and opens the main window over
// the spreadsheet choice: the operator's spreadsheet program where it is installed, else the
// built-in stand-in.
#include <filesystem>

#include "platform/com_spreadsheet.h"
#include "platform/program_folder.h"
#include "standin/spreadsheet_choice.h"
#include "standin/stand_in_spreadsheet.h"
#include "win32/instance_lock.h"
#include "win32/main_window.h"
#include "win32/win32_user_interface.h"

int main() {
  const sfxtal::platform::ComApartment com;
  const std::filesystem::path programFolder = sfxtal::platform::ProgramFolder();
  const sfxtal::win32::InstanceLock lock = sfxtal::win32::TakeInstanceLock(programFolder);
  if (lock == nullptr) return 0;
  // Before anything is read: a run ended while replacing files is finished or undone.
  sfxtal::standin::RecoverProgramFolder(programFolder);

  sfxtal::win32::Win32UserInterface ui;
  sfxtal::standin::SpreadsheetChoice spreadsheet(ui);
  sfxtal::win32::MainWindow window(programFolder, ui, spreadsheet);
  if (ui.Ended()) return 0;
  ShowWindow(window.Handle(), SW_SHOW);
  return sfxtal::win32::RunMessageLoop();
}
