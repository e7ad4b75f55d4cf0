#include "ui/results_window.h"

namespace sfxtal::ui {

ResultsWindow::ResultsWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                             platform::SpreadsheetFactory& spreadsheet, QWidget* parent)
    : QWidget(parent),
      programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet) {
  setWindowTitle(QStringLiteral("交信実績"));
}

}  // namespace sfxtal::ui
