#pragma once

#include <QWidget>
#include <filesystem>

#include "platform/spreadsheet.h"
#include "ui/qt_user_interface.h"

namespace sfxtal::ui {

/// Form2, the results window with its grid of every suffix.
class ResultsWindow : public QWidget {
  Q_OBJECT

 public:
  ResultsWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                platform::SpreadsheetFactory& spreadsheet, QWidget* parent = nullptr);

 private:
  std::filesystem::path programFolder_;
  QtUserInterface& ui_;
  platform::SpreadsheetFactory& spreadsheet_;
};

}  // namespace sfxtal::ui
