#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "app/spreadsheet_hand_over.h"
#include "app/window_import.h"
#include "importer/suffix_dialog.h"
#include "logdb/log_database.h"
#include "ui/command_button.h"
#include "ui/results_window.h"
#include "ui/suffix_dialog_window.h"
#include "ui/text_box.h"
#include "ui/twips.h"

namespace sfxtal::ui {
namespace {

// Either kind of log the import reads, or any file (its content tells the kind).
constexpr const char* kBrowseFilter =
    "tevrak.tdb ファイル (*.TDB);;ADIF ファイル (*.adi *.adif);;すべてのファイル (*)";

// A control with its name (Command1, Text2 ...), by which the window's rules, the stored
// settings and the tests know it.
template <typename Control, typename... Args>
Control* Make(const char* name, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)...);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                       app::SpreadsheetChooser& spreadsheet, QWidget* parent)
    : QWidget(parent),
      programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      settings_(programFolder_) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("NEBU ｸﾗﾌﾞｱﾜｰﾄﾞ"));
  // The window's font: the Japanese desktop's usual form font, its places and sizes measured
  // with it; fontconfig stands in an installed Japanese font where it is missing.
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  CreateControls();
  ui_.SetImportWindow(this);
  Form_Load();
}

MainWindow::~MainWindow() {
  ui_.SetImportWindow(nullptr);
  delete results_.data();
}

void MainWindow::CreateControls() {
  const auto place = [this](QWidget* control, QWidget* container, int left, int top, int width,
                            int height) {
    control->setParent(container);
    control->setGeometry(Pixels(*this, left), Pixels(*this, top), Pixels(*this, width),
                         Pixels(*this, height));
  };
  setFixedSize(Pixels(*this, kClientWidthTwips), Pixels(*this, kClientHeightTwips));

  Frame1 = Make<QGroupBox>("Frame1", QStringLiteral("Tevrak.TDB / ADIF の指定"));
  place(Frame1, this, 360, 240, 6255, 735);
  Text1 = Make<TextBox>("Text1");
  place(Text1, Frame1, 120, 240, 3855, 375);
  Command1 = Make<CommandButton>("Command1", QStringLiteral("終了"));
  Command1->setToolTip(QStringLiteral("終了します"));
  place(Command1, this, 5430, 4185, 1095, 495);
  Command2 = Make<CommandButton>("Command2", QStringLiteral("Tevrak ﾃﾞｰﾀ 読み込み"));
  Command2->setToolTip(QStringLiteral("Tevrak からデータを読込みます"));
  place(Command2, this, 3840, 1200, 2535, 495);
  Command3 = Make<CommandButton>("Command3", QStringLiteral("参照"));
  place(Command3, Frame1, 5040, 240, 855, 375);

  Frame2 = Make<QGroupBox>("Frame2", QStringLiteral("検索期間"));
  place(Frame2, this, 360, 1080, 3015, 2655);
  Frame3 = Make<QGroupBox>("Frame3", QStringLiteral("開始"));
  place(Frame3, Frame2, 240, 240, 2295, 855);
  Frame4 = Make<QGroupBox>("Frame4", QStringLiteral("終了"));
  place(Frame4, Frame2, 240, 1200, 2295, 855);
  static constexpr int kBoxLeft[3] = {240, 960, 1440};
  static constexpr int kBoxWidth[3] = {615, 375, 375};
  for (int i = 0; i < app::kDateBoxCount; ++i) {
    const std::string name = "Text2_" + std::to_string(i);
    TextBox* box = Make<TextBox>(name.c_str());
    place(box, i < 3 ? Frame3 : Frame4, kBoxLeft[i % 3], 360, kBoxWidth[i % 3], 270);
    box->SetKeepsCaret(true);
    // Typed text goes through Text2_KeyPress only; input methods and drops would go around it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setAcceptDrops(false);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->KeyPress = [this, i](char32_t key) { return Text2_KeyPress(i, key); };
    box->LostFocus = [this, i] { Text2_LostFocus(i); };
    Text2[static_cast<std::size_t>(i)] = box;
  }
  Label1 = Make<QLabel>("Label1");
  place(Label1, Frame2, 480, 2160, 1815, 255);
  // The progress line is read while the import has its frame disabled: it keeps its colour.
  QPalette progressColours = Label1->palette();
  progressColours.setColor(QPalette::Disabled, QPalette::WindowText,
                           progressColours.color(QPalette::Active, QPalette::WindowText));
  Label1->setPalette(progressColours);

  Command4 = Make<CommandButton>("Command4", QStringLiteral("実績ﾃﾞｰﾀ表示"));
  Command4->setToolTip(QStringLiteral("実績表示画面に移り案す"));
  place(Command4, this, 3840, 3360, 2535, 495);
  Command5 = Make<CommandButton>("Command5", QStringLiteral("Excel"));
  Command5->setToolTip(QStringLiteral("Excel を起動し 実績表示します"));
  place(Command5, this, 3870, 4200, 1170, 495);

  Frame5 = Make<QGroupBox>("Frame5", QStringLiteral("判別不能なデータ"));
  place(Frame5, this, 3840, 1920, 2655, 1215);
  Option1 = Make<QRadioButton>("Option1", QStringLiteral("バイパス"));
  Option1->setToolTip(QStringLiteral("判別不明なデータは処理しません"));
  place(Option1, Frame5, 360, 240, 1335, 255);
  Option2 = Make<QRadioButton>("Option2", QStringLiteral("個別設定"));
  Option2->setToolTip(QStringLiteral("判別不能なデータは自分で処理します"));
  place(Option2, Frame5, 360, 720, 1335, 180);

  Frame6 = Make<QGroupBox>("Frame6", QStringLiteral("諦めマーク"));
  place(Frame6, this, 405, 4005, 2835, 825);
  Text3 = Make<TextBox>("Text3");
  Text3->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
  Text3->setToolTip(QStringLiteral("諦めマークを設定します、大文字小文字に注意してください"));
  place(Text3, Frame6, 315, 285, 2175, 345);

  // The window's tab order; frames and the label take no focus.
  QWidget* const order[] = {Text1,    Command1, Command2, Command3, Text2[0],
                            Text2[1], Text2[2], Text2[3], Text2[4], Text2[5],
                            Command4, Command5, Option1,  Option2,  Text3};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
}

void MainWindow::Form_Load() {
  for (int i = 0; i < app::kDateBoxCount; ++i) {
    TextBox* box = Text2[static_cast<std::size_t>(i)];
    box->setText(QString::fromLatin1(app::kDateBoxDefaults[static_cast<std::size_t>(i)]));
    box->setCursorPosition(0);
  }
  Option1->setChecked(true);

  // Centred by default: the screen and the window in twips, as the settings keep positions.
  const QRect screenArea = screen()->geometry();
  const QSize windowSize = frameGeometry().size();
  const app::MainWindowSettings loaded = app::LoadMainWindowSettings(
      settings_, {Twips(*this, screenArea.width()), Twips(*this, screenArea.height())},
      {Twips(*this, windowSize.width()), Twips(*this, windowSize.height())},
      Text1->text().toStdString());
  // A stored number can be far off any screen; window systems take only 16-bit positions.
  const auto position = [this](double twips) {
    return std::clamp(Pixels(*this, twips), -32000, 32000);
  };
  move(position(loaded.Left), position(loaded.Top));
  Text3->setText(QString::fromStdString(loaded.Text3));
  Text1->setText(QString::fromStdString(loaded.Text1));
  Text1->setFocus(Qt::OtherFocusReason);
}

void MainWindow::Form_QueryUnload() {
  // No help viewer here: the release of the help file is left out with its registration.
  app::MainWindowSettings window;
  window.Text1 = Text1->text().toStdString();
  window.Top = Twips(*this, pos().y());
  window.Left = Twips(*this, pos().x());
  window.Text3 = Text3->text().toStdString();
  app::SaveMainWindowSettings(settings_, window);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // After the end, and on the results window's road, the main window closes without its steps.
  if (ui_.Ended() || leftForResults_) {
    event->accept();
    return;
  }
  const bool running = importRunning_;
  Command1_Click();
  // During an import the run ends the program once it has stopped after the record in hand.
  if (running) {
    event->ignore();
  } else {
    event->accept();
  }
}

void MainWindow::Command1_Click() {
  app::PressExitButton(ui_, importRunning_, [this] { Form_QueryUnload(); });
}

void MainWindow::EndAtSystemRequest() {
  if (ui_.Ended()) return;
  if (leftForResults_) {
    if (results_ != nullptr) results_->close();
    return;
  }
  Command1_Click();
  // A running import stops after the record in hand, which may be waiting for the suffix dialog
  // or a question: closed as by its close box, it lets the run go on to its stop.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog->isVisible()) dialog->reject();
  }
}

void MainWindow::Command2_Click() {
  if (importRunning_ || ui_.Ended()) return;
  importer::ImportRequest request;
  request.Path = Text1->text().toStdString();
  for (std::size_t i = 0; i < Text2.size(); ++i)
    request.DateBoxes[i] = Text2[i]->text().toStdString();
  request.AskUndeterminable = Option2->isChecked();
  request.GiveUpMarks = Text3->text().toStdString();

  app::RunImportFromWindow(programFolder_, ui_, frequencyErrors_, spreadsheet_, request,
                           importRunning_, [this] { Command1_Click(); });
}

void MainWindow::Command3_Click() {
  QFileDialog dialog(this);
  // Qt's own dialog, so that the filters match *.TDB and *.adi in any letter case.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromUtf8(kBrowseFilter));
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  if (dialog.exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return;
  Text1->setText(QDir::toNativeSeparators(QFileInfo(chosen.front()).absoluteFilePath()));
}

void MainWindow::DisableBeforeLeaving() {
  for (const app::MainWindowControl control : app::kButtonsOffBeforeLeaving) {
    Control(control)->setEnabled(false);
  }
}

void MainWindow::Command4_Click() {
  DisableBeforeLeaving();
  leftForResults_ = true;
  results_ = new ResultsWindow(programFolder_, ui_, spreadsheet_);
  results_->show();
  hide();
}

void MainWindow::Command5_Click() {
  DisableBeforeLeaving();
  app::ExcelX(ui_, programFolder_, app::kViewMode, spreadsheet_);
  Command1_Click();
}

bool MainWindow::Text2_KeyPress(int index, char32_t keyCode) {
  TextBox* box = Text2[static_cast<std::size_t>(index)];
  const int caret = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
  const app::DateBoxKey key = app::DateBoxKeyPress(index, keyCode, caret);
  if (key.Keep) {
    // Overtype: the digit replaces the character at the caret (past the end it is added).
    box->setSelection(caret, caret < box->text().size() ? 1 : 0);
    box->insert(QString::fromUcs4(&keyCode, 1));
  }
  if (key.NextBox >= 0)
    Text2[static_cast<std::size_t>(key.NextBox)]->setFocus(Qt::OtherFocusReason);
  return true;
}

void MainWindow::Text2_LostFocus(int index) {
  TextBox* box = Text2[static_cast<std::size_t>(index)];
  box->deselect();
  box->setCursorPosition(0);
}

QWidget* MainWindow::Control(app::MainWindowControl control) const {
  switch (control) {
    case app::MainWindowControl::kCommand2:
      return Command2;
    case app::MainWindowControl::kCommand3:
      return Command3;
    case app::MainWindowControl::kCommand4:
      return Command4;
    case app::MainWindowControl::kCommand5:
      return Command5;
    case app::MainWindowControl::kFrame2:
      return Frame2;
    case app::MainWindowControl::kFrame5:
      return Frame5;
    case app::MainWindowControl::kFrame6:
      return Frame6;
  }
  return nullptr;
}

void MainWindow::SetInputsLocked(bool locked) {
  for (const app::MainWindowControl control : app::kImportLockedControls) {
    Control(control)->setEnabled(!locked);
  }
}

void MainWindow::ShowProgress(const std::string& text) {
  Label1->setText(QString::fromStdString(text));
}

std::string MainWindow::AskSuffix(const importer::SuffixQuestion& question) {
  importer::SuffixDialog dialog(ui_, question);
  SuffixDialogWindow window(dialog, this);
  window.exec();
  return dialog.DialogSuffix();
}

}  // namespace sfxtal::ui
