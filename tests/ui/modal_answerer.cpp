#include "tests/ui/modal_answerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace sfxtal::ui {

ModalAnswerer::ModalAnswerer() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
  timer_.start();
}

ModalAnswerer::~ModalAnswerer() {
  timer_.stop();
}

void ModalAnswerer::Look() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible() || modal == last_) return;
  last_ = modal;
  titles.push_back(modal->windowTitle().toStdString());
  // The answer runs from the event loop, not from inside this timer: a timer does not fire again
  // while its own slot runs, and the answer may open further modal windows.
  QTimer::singleShot(0, modal, [this, modal] {
    if (Answer && Answer(modal)) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages.push_back(box->text().toStdString());
      if (QAbstractButton* button = box->defaultButton()) {
        button->click();
      } else {
        box->accept();
      }
    }
  });
}

}  // namespace sfxtal::ui
