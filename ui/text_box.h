#pragma once

#include <QLineEdit>
#include <functional>

namespace sfxtal::ui {

/// A text box whose character keys go to its window's KeyPress handler before the box sees
/// them, as a form's text box does. Editing keys (Delete, arrows, Home, End, shortcuts) work as
/// in any text box. Pasted and middle-clicked text is typed key by key through the handler of
/// whichever box has the focus, so nothing reaches a box that its handler would not let in.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

  /// Gets each character code typed; true when it dealt with the key (inserted, replaced or
  /// dropped it), false to let the box take it as it stands.
  std::function<bool(char32_t key)> KeyPress;
  /// Runs when the focus moves to another control of the program.
  std::function<void()> LostFocus;
  /// A box that gets the focus by Tab keeps its caret where it was, instead of selecting all.
  void SetKeepsCaret(bool keeps) { keepsCaret_ = keeps; }

  /// The characters of `text` typed one after the other into the focused box of this window.
  void TypeText(const QString& text);

  /// The character code of a key that a form's KeyPress would see; 0 for editing keys.
  static char32_t CharacterCode(const QKeyEvent& event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool keepsCaret_ = false;
};

}  // namespace sfxtal::ui
