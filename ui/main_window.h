#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <string>

#include "app/main_window_logic.h"
#include "app/settings_store.h"
#include "app/spreadsheet_hand_over.h"
#include "logdb/log_database.h"
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
class MainWindow : public QWidget, public app::ImportWindow {
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
  bool ImportRunning() const { return importRunning_; }
  /// The results window once Command4 has opened it.
  ResultsWindow* Results() const { return results_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void Form_Load();
  void Form_QueryUnload();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  bool Text2_KeyPress(int index, char32_t keyCode);
  void Text2_LostFocus(int index);
  /// The system ends the program (SIGTERM, SIGHUP, the end of the session): as the exit button
  /// does, or on the results window's road as that window's close box does.
  void EndAtSystemRequest();

  QWidget* Control(app::MainWindowControl control) const;
  void DisableBeforeLeaving();

  std::filesystem::path programFolder_;
  QtUserInterface& ui_;
  app::SpreadsheetChooser& spreadsheet_;
  app::SettingsStore settings_;
  /// The invalid-frequency reports live as long as the program.
  logdb::FrequencyErrors frequencyErrors_;
  bool importRunning_ = false;
  /// Command4 has handed over to the results window: the main window's closing steps never run.
  bool leftForResults_ = false;
  QPointer<ResultsWindow> results_;
  SystemEndWatch systemEnd_{[this] { EndAtSystemRequest(); }};

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
