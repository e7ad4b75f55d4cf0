#include "ui/command_button.h"

#include <QKeyEvent>

namespace sfxtal::ui {

CommandButton::CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  // A dialog would make the first such button its default and press it on Enter in a text box.
  setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    QPushButton::keyPressEvent(event);
    return;
  }
  // One press, one click: a held key must not press again behind the message the click showed.
  if (!event->isAutoRepeat()) click();
  event->accept();
}

}  // namespace sfxtal::ui
