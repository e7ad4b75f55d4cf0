#include "ui/main_window.h"

namespace sfxtal::ui {

MainWindow::MainWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                       platform::SpreadsheetFactory& spreadsheet, QWidget* parent)
    : QWidget(parent),
      programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet) {
  setWindowTitle(QStringLiteral("NEBU ｸﾗﾌﾞｱﾜｰﾄﾞ"));
  ui_.SetImportWindow(this);
}

void MainWindow::SetInputsLocked(bool) {}
void MainWindow::ShowProgress(const std::string&) {}
void MainWindow::AskSuffix(import::SuffixDialog&) {}

}  // namespace sfxtal::ui
