#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <QWidget>
#include <cstdlib>

#include "platform/path_text.h"

namespace sfxtal::ui {

QWidget* DialogParent() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible()) return widget;
  }
  return nullptr;
}

void QtUserInterface::ShowMessage(const std::string& text) {
  FlushProgress();
  QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromStdString(text), QMessageBox::Ok,
                  DialogParent());
  box.exec();
}

bool QtUserInterface::AskYesNo(const std::string& text) {
  // Once the job in hand is to stop (the system ends the program), no question holds the end up:
  // No, as a closed question answers.
  if (StopRequested()) return false;
  FlushProgress();
  QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No, DialogParent());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtUserInterface::RunPendingEvents() {
  QApplication::processEvents();
}

void QtUserInterface::ShowBusyPointer(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  } else {
    QApplication::restoreOverrideCursor();
  }
  // The pointer changes only when events run; show it before a long step begins.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool DesktopSessionPresent() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

void QtUserInterface::OpenFile(const std::filesystem::path& path) {
  // The path goes to the desktop as one URL, never through a shell.
  if (!DesktopSessionPresent()) return;
  QDesktopServices::openUrl(
      QUrl::fromLocalFile(QString::fromStdString(platform::Utf8FromPath(path))));
}

void QtUserInterface::HideWindowsAndQuit() {
  for (QWidget* widget : QApplication::topLevelWidgets()) widget->hide();
  // Only a running event loop has anything to end; told to exit without one, Qt would refuse
  // every later loop, modal dialogs included.
  if (QThread::currentThread()->loopLevel() > 0) QApplication::exit(0);
}

}  // namespace sfxtal::ui
