#include "ui/text_box.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace sfxtal::ui {

char32_t TextBox::CharacterCode(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0;
    default:
      break;
  }
  // Shortcuts (copy, paste, undo, select all) are editing, not typing.
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  const QList<uint> codes = event.text().toUcs4();
  return codes.isEmpty() ? 0 : static_cast<char32_t>(codes.front());
}

void TextBox::TypeText(const QString& text) {
  for (const uint code : text.toUcs4()) {
    QWidget* focused = window()->focusWidget();
    auto* box = qobject_cast<TextBox*>(focused);
    if (box == nullptr) box = this;
    if (box->isReadOnly() || !box->isEnabled()) continue;
    if (!box->KeyPress || !box->KeyPress(code)) {
      // A box without a filter takes printable characters as typed.
      if (!box->KeyPress && code >= 0x20 && code != 0x7f) {
        const char32_t character = code;
        box->insert(QString::fromUcs4(&character, 1));
      }
    }
  }
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (KeyPress && event->matches(QKeySequence::Paste)) {
    if (!isReadOnly()) TypeText(QApplication::clipboard()->text(QClipboard::Clipboard));
    event->accept();
    return;
  }
  const char32_t code = CharacterCode(*event);
  if (code != 0 && KeyPress && KeyPress(code)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TextBox::focusInEvent(QFocusEvent* event) {
  const int caret = cursorPosition();
  QLineEdit::focusInEvent(event);
  if (keepsCaret_) {
    deselect();
    setCursorPosition(caret);
  }
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another application's window taking the focus, or a menu, is not the focus leaving the box.
  const Qt::FocusReason reason = event->reason();
  if (LostFocus && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
    LostFocus();
  }
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  // The X11 selection pasted with the middle button goes through the key handler like a paste.
  if (event->button() == Qt::MiddleButton && KeyPress) {
    const QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && !isReadOnly()) {
      setCursorPosition(cursorPositionAt(event->position().toPoint()));
      TypeText(clipboard->text(QClipboard::Selection));
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace sfxtal::ui
