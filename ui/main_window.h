#pragma once

#include <QWidget>
#include <filesystem>

#include "platform/spreadsheet.h"
#include "ui/qt_user_interface.h"

namespace sfxtal::ui {

/// Form1, the program's start window.
class MainWindow : public QWidget, public ImportWindow {
  Q_OBJECT

 public:
  MainWindow(std::filesystem::path programFolder, QtUserInterface& ui,
             platform::SpreadsheetFactory& spreadsheet, QWidget* parent = nullptr);

  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
  void AskSuffix(import::SuffixDialog& dialog) override;

 private:
  std::filesystem::path programFolder_;
  QtUserInterface& ui_;
  platform::SpreadsheetFactory& spreadsheet_;
};

}  // namespace sfxtal::ui
