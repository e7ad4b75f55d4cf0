#include "ui/suffix_dialog_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "importer/suffix_dialog.h"
#include "ui/command_button.h"
#include "ui/text_box.h"

namespace sfxtal::ui {
namespace {

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

SuffixDialogWindow::SuffixDialogWindow(importer::SuffixDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QString::fromUtf8(importer::SuffixDialog::kCaption));
  setModal(true);
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

  Label1 = MakeLabel("Label1", QStringLiteral("下記交信のサフィックスを設定して下さい"), this);

  // The QSO in hand: record number, date, time, mode and frequency in a row, the callsign the
  // operator has to answer for below them, larger.
  Frame1 = new QGroupBox(QStringLiteral("交信データ"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Label2 = MakeLabel("Label2", QString::fromStdString(dialog_.Label2()), Frame1);
  Label3 = MakeLabel("Label3", QString::fromStdString(dialog_.Label3()), Frame1);
  Label4 = MakeLabel("Label4", QString::fromStdString(dialog_.Label4()), Frame1);
  Label5 = MakeLabel("Label5", QString::fromStdString(dialog_.Label5()), Frame1);
  Label6 = MakeLabel("Label6", QString::fromStdString(dialog_.Label6()), Frame1);
  Label7 = MakeLabel("Label7", QString::fromStdString(dialog_.Label7()), Frame1);
  QFont callsignFont = Label7->font();
  callsignFont.setPointSize(14);
  callsignFont.setBold(true);
  Label7->setFont(callsignFont);
  Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* qsoLayout = new QGridLayout(Frame1);
  qsoLayout->setHorizontalSpacing(16);
  QLabel* const row[] = {Label2, Label3, Label4, Label5, Label6};
  for (int column = 0; column < 5; ++column) qsoLayout->addWidget(row[column], 0, column);
  qsoLayout->addWidget(Label7, 1, 0, 1, 5);

  Frame2 = new QGroupBox(QStringLiteral("サフィックス"), this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  Text1 = new TextBox(Frame2);
  Text1->setObjectName(QStringLiteral("Text1"));
  QFont entryFont = Text1->font();
  entryFont.setPointSize(12);
  Text1->setFont(entryFont);
  // Every character goes through the key filter: no input method, drops or context menu paste.
  Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
  Text1->setAcceptDrops(false);
  Text1->setContextMenuPolicy(Qt::NoContextMenu);
  Text1->KeyPress = [this](char32_t key) { return Text1_KeyPress(key); };
  Command1 = new CommandButton(QStringLiteral("設定"), Frame2);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command2 = new CommandButton(QStringLiteral("スキップ"), Frame2);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setToolTip(QStringLiteral("今回はサフィックスの設定をしません"));
  auto* entryLayout = new QHBoxLayout(Frame2);
  entryLayout->addWidget(Text1, 1);
  entryLayout->addWidget(Command1);
  entryLayout->addWidget(Command2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(Text1, Command1);
  setTabOrder(Command1, Command2);
  Text1->setFocus(Qt::OtherFocusReason);

  // The entry's text, kept in step with the dialog's logic, which checks it on Set.
  dialog_.Text1.clear();
  connect(Text1, &QLineEdit::textChanged, this,
          [this](const QString& text) { dialog_.Text1 = text.toStdString(); });
  connect(Command1, &QPushButton::clicked, this, &SuffixDialogWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &SuffixDialogWindow::Command2_Click);
}

bool SuffixDialogWindow::Text1_KeyPress(char32_t keyCode) {
  const std::optional<char32_t> kept = importer::SuffixDialog::FilterKey(keyCode);
  if (!kept) return true;        // dropped
  if (*kept == 8) return false;  // Backspace does its usual work
  Text1->insert(QString::fromUcs4(&*kept, 1));
  return true;
}

void SuffixDialogWindow::Command1_Click() {
  // A refused entry has had its message; the dialog stays open with the entry as it was.
  if (dialog_.Command1_Click()) accept();
}

void SuffixDialogWindow::Command2_Click() {
  reject();
}

void SuffixDialogWindow::reject() {
  dialog_.Command2_Click();
  QDialog::reject();
}

}  // namespace sfxtal::ui
