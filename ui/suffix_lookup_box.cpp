#include "ui/suffix_lookup_box.h"

#include <QKeyEvent>

#include "results/suffix_lookup.h"
#include "ui/text_box.h"

namespace sfxtal::ui {

SuffixLookupBox::SuffixLookupBox(QWidget* parent) : QLineEdit(parent) {
  // Only letters A-Z are looked up; an input method could only bring characters the filter
  // drops.
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

void SuffixLookupBox::keyPressEvent(QKeyEvent* event) {
  // Editing keys (arrows, Home, Delete, shortcuts) move and edit as in any box; only character
  // keys are filtered. Delete and a few others carry a text of their own, so the text alone
  // cannot tell them.
  const char32_t code = TextBox::CharacterCode(*event);
  if (code == 0) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const auto kind = event->text().toUcs4().size() <= 1 ? results::ClassifyLookupKey(code)
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
