#pragma once

#include <QLineEdit>

namespace sfxtal::ui {

/// Text1, the suffix lookup box: overwrite typing of letters only (Backspace passes, every other
/// typed character is dropped), the caret at the start whenever the box gets the focus.
class SuffixLookupBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit SuffixLookupBox(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
};

}  // namespace sfxtal::ui
