#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace sfxtal::importer {
class SuffixDialog;
}

namespace sfxtal::ui {

class TextBox;

/// Form3, the modal suffix-setting dialog over the dialog's logic: the QSO in hand, an entry for
/// its suffix, Set and Skip. Closing it in any other way is Skip.
class SuffixDialogWindow : public QDialog {
  Q_OBJECT

 public:
  /// Form_Load: the labels show what the dialog's logic was loaded with; the entry is empty.
  explicit SuffixDialogWindow(importer::SuffixDialog& dialog, QWidget* parent = nullptr);

 public slots:
  void reject() override;

 private:
  bool Text1_KeyPress(char32_t keyCode);
  void Command1_Click();
  void Command2_Click();

  importer::SuffixDialog& dialog_;

  QLabel* Label1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QGroupBox* Frame2 = nullptr;
  TextBox* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace sfxtal::ui
