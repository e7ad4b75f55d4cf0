#include "ui/suffix_lookup_box.h"

#include <QKeyEvent>

#include "results/suffix_lookup.h"

namespace sfxtal::ui {

SuffixLookupBox::SuffixLookupBox(QWidget* parent) : QLineEdit(parent) {
  // Only letters A-Z are looked up; an input method could only bring characters the filter
  // drops.
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

void SuffixLookupBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  // Keys that type nothing (arrows, Home, Delete) move and edit as in any box.
  if (typed.isEmpty() || event->key() == Qt::Key_Backspace) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QList<uint> codes = typed.toUcs4();
  const auto kind = codes.size() == 1 ? results::ClassifyLookupKey(static_cast<char32_t>(codes[0]))
                                      : results::LookupKey::kDrop;
  switch (kind) {
    case results::LookupKey::kPass:
      QLineEdit::keyPressEvent(event);
      return;
    case results::LookupKey::kOverwrite: {
      // The character after the caret is selected, so the letter takes its place; at the end
      // nothing is selected and the letter is appended.
      const int start = hasSelectedText() ? selectionStart() : cursorPosition();
      setSelection(start, 1);
      QLineEdit::keyPressEvent(event);
      return;
    }
    case results::LookupKey::kDrop:
      event->accept();
      return;
  }
}

void SuffixLookupBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  setCursorPosition(0);
}

}  // namespace sfxtal::ui
