#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <string>

#include "app/main_window_rules.h"
#include "app/spreadsheet_hand_over.h"
#include "ui/qt_user_interface.h"
#include "ui/results_window.h"
#include "ui/system_end_watch.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace sfxtal::ui {

class TextBox;

/// Form1, the program's start window: the log path, the search period, the choice for
/// undeterminable QSOs and the give-up marks, and the four roads out (import, results window,
/// spreadsheet view, exit).
class MainWindow : public QWidget, public app::ImportWindow, private app::MainWindowView {
  Q_OBJECT

 public:
  /// Form_Load runs here; the window is shown by the caller.
  MainWindow(std::filesystem::path programFolder, QtUserInterface& ui,
             app::SpreadsheetChooser& spreadsheet, QWidget* parent = nullptr);
  ~MainWindow() override;

  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
  std::string AskSuffix(const importer::SuffixQuestion& question) override;

  /// True while Command2's import runs.
  bool ImportRunning() const { return rules_.ImportRunning(); }
  /// The results window once Command4 has opened it.
  ResultsWindow* Results() const { return results_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  /// The help key, F1, in any of the program's windows and dialogs opens the help page.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void Command3_Click();
  bool Text2_KeyPress(int index, char32_t keyCode);
  void Text2_LostFocus(int index);
  QWidget* Control(app::MainWindowControl control) const;
  TextBox* Box(app::MainWindowBox box) const;

  std::string BoxText(app::MainWindowBox box) const override;
  void SetBoxText(app::MainWindowBox box, const std::string& text) override;
  std::string DateBoxText(int index) const override;
  void SetDateBoxText(int index, const std::string& text) override;
  bool AsksUndeterminable() const override;
  void SetAsksUndeterminable(bool asks) override;
  void EnableControl(app::MainWindowControl control, bool enabled) override;
  void FocusLogPath() override;
  app::SizeTwips ScreenSize() const override;
  app::SizeTwips OuterSize() const override;
  app::PlaceTwips NormalOuterPlace() const override;
  void MoveTo(app::PlaceTwips place) override;
  void OpenResultsWindow() override;
  void CloseResultsWindow() override;
  void CloseDialogs() override;

  std::filesystem::path programFolder_;
  QtUserInterface& ui_;
  app::SpreadsheetChooser& spreadsheet_;
  app::MainWindowRules rules_;
  QPointer<ResultsWindow> results_;
  /// The system ends the program (SIGTERM, SIGHUP, the end of the session).
  SystemEndWatch systemEnd_{[this] { rules_.EndAtSystemRequest(); }};

  QGroupBox* Frame1 = nullptr;
  TextBox* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  std::array<TextBox*, app::kDateBoxCount> Text2{};
  QLabel* Label1 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QGroupBox* Frame5 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QGroupBox* Frame6 = nullptr;
  TextBox* Text3 = nullptr;
};

}  // namespace sfxtal::ui
