#pragma once

#include <QDialog>

namespace sfxtal::import {
class SuffixDialog;
}

namespace sfxtal::ui {

/// Form3, the modal suffix-setting dialog over the dialog's logic.
class SuffixDialogWindow : public QDialog {
  Q_OBJECT

 public:
  explicit SuffixDialogWindow(import::SuffixDialog& dialog, QWidget* parent = nullptr);

 private:
  import::SuffixDialog& dialog_;
};

}  // namespace sfxtal::ui
