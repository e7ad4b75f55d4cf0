#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>

#include "app/spreadsheet_hand_over.h"
#include "results/results_window_rules.h"
#include "ui/qt_user_interface.h"

class QPushButton;
class QTableView;

namespace sfxtal::ui {

class ResultsGridModel;
class SuffixLookupBox;

/// Form2, the results window with its grid of every suffix: the read of 実績.txt with the totals
/// in the caption, the suffix lookup, the award output, and the end of the program on closing.
class ResultsWindow : public QWidget, private results::ResultsView {
  Q_OBJECT

 public:
  ResultsWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                app::SpreadsheetChooser& spreadsheet, QWidget* parent = nullptr);
  ~ResultsWindow() override;

  /// The border and caption the window's size rules count around its client area, in pixels.
  QSize FrameExtent() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();

  void ShowControls(const results::ResultsControls& controls) override;
  void SetGridRedraw(bool on) override;
  void GridRowsChanged(int rowCount) override;
  void SetCaption(const std::string& caption) override;
  void FocusLookupBox() override;
  void ScrollGridToTop(int row) override;

  std::filesystem::path programFolder_;
  QtUserInterface& ui_;
  app::SpreadsheetChooser& spreadsheet_;

  ResultsGridModel* model_ = nullptr;
  QTableView* MSFlexGrid1 = nullptr;
  QPushButton* Command1 = nullptr;
  SuffixLookupBox* Text1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  // Made once the controls it shows exist.
  std::optional<results::ResultsWindowRules> rules_;
};

}  // namespace sfxtal::ui
