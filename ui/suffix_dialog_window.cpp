#include "ui/suffix_dialog_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "importer/suffix_dialog.h"
#include "importer/suffix_dialog_form.h"
#include "ui/form_builder.h"
#include "ui/text_box.h"
#include "ui/twips.h"

namespace sfxtal::ui {

SuffixDialogWindow::SuffixDialogWindow(importer::SuffixDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setModal(true);
  setFixedSize(Pixels(*this, importer::kSuffixDialogForm.clientWidth),
               Pixels(*this, importer::kSuffixDialogForm.clientHeight));
  BuildForm(*this, importer::kSuffixDialogForm);
  Label1 = FormControl<QLabel>(*this, "Label1");
  Frame1 = FormControl<QGroupBox>(*this, "Frame1");
  Frame2 = FormControl<QGroupBox>(*this, "Frame2");
  Text1 = FormControl<TextBox>(*this, "Text1");
  Command1 = FormControl<QPushButton>(*this, "Command1");
  Command2 = FormControl<QPushButton>(*this, "Command2");

  // The QSO in hand in place of the labels' captions.
  QLabel** const labels[] = {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7};
  const std::string* const texts[] = {&dialog_.Label2(), &dialog_.Label3(), &dialog_.Label4(),
                                      &dialog_.Label5(), &dialog_.Label6(), &dialog_.Label7()};
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    *labels[i] = FormControl<QLabel>(*this, "Label" + std::to_string(i + 2));
    (*labels[i])->setText(QString::fromStdString(*texts[i]));
  }
  Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Every character goes through the key filter: no input method, drops or context menu paste.
  Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
  Text1->setAcceptDrops(false);
  Text1->setContextMenuPolicy(Qt::NoContextMenu);
  Text1->KeyPress = [this](char32_t key) { return Text1_KeyPress(key); };
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
  // A refused entry has had its message; the dialog stays open with the entry as it was, and
  // the operator goes on typing there.
  if (dialog_.Command1_Click()) {
    accept();
  } else {
    Text1->setFocus(Qt::OtherFocusReason);
  }
}

void SuffixDialogWindow::Command2_Click() {
  reject();
}

void SuffixDialogWindow::reject() {
  dialog_.Command2_Click();
  QDialog::reject();
}

}  // namespace sfxtal::ui
