#pragma once

#include <QPushButton>

namespace sfxtal::ui {

/// A form's command button: with the focus, Enter presses it as Space does. No button of the
/// program is a default button, so Enter typed anywhere else presses none.
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  explicit CommandButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace sfxtal::ui
