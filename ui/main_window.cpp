#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "app/help_page.h"
#include "app/main_window_form.h"
#include "app/spreadsheet_hand_over.h"
#include "app/window_import.h"
#include "importer/suffix_dialog.h"
#include "logdb/log_database.h"
#include "ui/command_button.h"
#include "ui/form_builder.h"
#include "ui/results_window.h"
#include "ui/suffix_dialog_window.h"
#include "ui/text_box.h"
#include "ui/twips.h"

namespace sfxtal::ui {

MainWindow::MainWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                       app::SpreadsheetChooser& spreadsheet, QWidget* parent)
    : QWidget(parent),
      programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      rules_(programFolder_, ui_, spreadsheet_, static_cast<app::MainWindowView&>(*this)) {
  CreateControls();
  ui_.SetImportWindow(this);
  qApp->installEventFilter(this);
  rules_.Form_Load();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  ui_.SetImportWindow(nullptr);
  delete results_.data();
}

void MainWindow::CreateControls() {
  setFixedSize(Pixels(*this, app::kMainWindowForm.clientWidth),
               Pixels(*this, app::kMainWindowForm.clientHeight));
  BuildForm(*this, app::kMainWindowForm);
  Frame1 = FormControl<QGroupBox>(*this, "Frame1");
  Text1 = FormControl<TextBox>(*this, "Text1");
  Command1 = FormControl<QPushButton>(*this, "Command1");
  Command2 = FormControl<QPushButton>(*this, "Command2");
  Command3 = FormControl<QPushButton>(*this, "Command3");
  Frame2 = FormControl<QGroupBox>(*this, "Frame2");
  Frame3 = FormControl<QGroupBox>(*this, "Frame3");
  Frame4 = FormControl<QGroupBox>(*this, "Frame4");
  Label1 = FormControl<QLabel>(*this, "Label1");
  Command4 = FormControl<QPushButton>(*this, "Command4");
  Command5 = FormControl<QPushButton>(*this, "Command5");
  Frame5 = FormControl<QGroupBox>(*this, "Frame5");
  Option1 = FormControl<QRadioButton>(*this, "Option1");
  Option2 = FormControl<QRadioButton>(*this, "Option2");
  Frame6 = FormControl<QGroupBox>(*this, "Frame6");
  Text3 = FormControl<TextBox>(*this, "Text3");

  for (int i = 0; i < app::kDateBoxCount; ++i) {
    TextBox* box = FormControl<TextBox>(*this, "Text2_" + std::to_string(i));
    box->SetKeepsCaret(true);
    // Typed text goes through Text2_KeyPress only; input methods and drops would go around it.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setAcceptDrops(false);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->KeyPress = [this, i](char32_t key) { return Text2_KeyPress(i, key); };
    box->LostFocus = [this, i] { Text2_LostFocus(i); };
    Text2[static_cast<std::size_t>(i)] = box;
  }
  // The progress line is read while the import has its frame disabled: it keeps its colour.
  QPalette progressColours = Label1->palette();
  progressColours.setColor(QPalette::Disabled, QPalette::WindowText,
                           progressColours.color(QPalette::Active, QPalette::WindowText));
  Label1->setPalette(progressColours);

  connect(Command1, &QPushButton::clicked, this, [this] { rules_.Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { rules_.Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, [this] { rules_.Command4_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { rules_.Command5_Click(); });
}

TextBox* MainWindow::Box(app::MainWindowBox box) const {
  return box == app::MainWindowBox::kText1 ? Text1 : Text3;
}

std::string MainWindow::BoxText(app::MainWindowBox box) const {
  return Box(box)->text().toStdString();
}

void MainWindow::SetBoxText(app::MainWindowBox box, const std::string& text) {
  Box(box)->setText(QString::fromStdString(text));
}

std::string MainWindow::DateBoxText(int index) const {
  return Text2[static_cast<std::size_t>(index)]->text().toStdString();
}

void MainWindow::SetDateBoxText(int index, const std::string& text) {
  TextBox* box = Text2[static_cast<std::size_t>(index)];
  box->setText(QString::fromStdString(text));
  box->setCursorPosition(0);
}

bool MainWindow::AsksUndeterminable() const {
  return Option2->isChecked();
}

void MainWindow::SetAsksUndeterminable(bool asks) {
  (asks ? Option2 : Option1)->setChecked(true);
}

void MainWindow::FocusLogPath() {
  Text1->setFocus(Qt::OtherFocusReason);
}

app::SizeTwips MainWindow::ScreenSize() const {
  const QRect screenArea = screen()->geometry();
  return {Twips(*this, screenArea.width()), Twips(*this, screenArea.height())};
}

app::SizeTwips MainWindow::OuterSize() const {
  // The window is framed only once it is shown: its outer size is the client area and the frame
  // the windows' rules count with.
  return {Twips(*this, width() + Pixels(*this, platform::kWindowFrameWidth)),
          Twips(*this, height() + Pixels(*this, platform::kWindowFrameHeight))};
}

app::PlaceTwips MainWindow::NormalOuterPlace() const {
  const QPoint place = ui::NormalOuterPlace(*this);
  return {Twips(*this, place.x()), Twips(*this, place.y())};
}

void MainWindow::MoveTo(app::PlaceTwips place) {
  // A stored number can be far off any screen; window systems take only 16-bit positions.
  const auto position = [this](double twips) {
    return std::clamp(Pixels(*this, twips), -32000, 32000);
  };
  move(position(place.Left), position(place.Top));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (rules_.Form_QueryClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    app::OpenHelpPage(ui_, programFolder_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::OpenResultsWindow() {
  results_ = new ResultsWindow(programFolder_, ui_, spreadsheet_);
  results_->show();
  hide();
}

void MainWindow::CloseResultsWindow() {
  if (results_ != nullptr) results_->close();
}

void MainWindow::CloseDialogs() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog->isVisible()) dialog->reject();
  }
}

void MainWindow::Command3_Click() {
  QFileDialog dialog(this);
  // Qt's own dialog, so that the filters match *.TDB and *.adi in any letter case.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const app::BrowseFilter& filter : app::kBrowseFilters) {
    filters.append(
        QString::fromUtf8(filter.name.data(), static_cast<int>(filter.name.size())) +
        QStringLiteral(" (") +
        QString::fromUtf8(filter.patterns.data(), static_cast<int>(filter.patterns.size())) +
        QStringLiteral(")"));
  }
  dialog.setNameFilters(filters);
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  if (dialog.exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return;
  Text1->setText(QDir::toNativeSeparators(QFileInfo(chosen.front()).absoluteFilePath()));
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

void MainWindow::EnableControl(app::MainWindowControl control, bool enabled) {
  Control(control)->setEnabled(enabled);
}

void MainWindow::SetInputsLocked(bool locked) {
  for (const app::MainWindowControl control : app::kImportLockedControls) {
    EnableControl(control, !locked);
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
