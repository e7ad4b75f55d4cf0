#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace sfxtal::ui {

/// Deals with the modal windows that open while a test drives a window: a timer looks for the
/// active modal window and, once the event loop is free again, hands it to `Answer`. Message
/// boxes that Answer leaves alone are recorded and closed with their default button.
class ModalAnswerer {
 public:
  ModalAnswerer();
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  /// Gets each modal window once; true when it dealt with it.
  std::function<bool(QWidget*)> Answer;
  /// The texts of the message boxes, in order.
  std::vector<std::string> messages;
  /// Every modal window's title, in order.
  std::vector<std::string> titles;

 private:
  void Look();
  QTimer timer_;
  QPointer<QWidget> last_;
};

}  // namespace sfxtal::ui
