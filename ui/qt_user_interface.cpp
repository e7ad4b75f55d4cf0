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

QtUserInterface::QtUserInterface() {
  sinceEvents_.start();
}

QWidget* DialogParent() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible()) return widget;
  }
  return nullptr;
}

void QtUserInterface::FlushProgress() {
  if (!progressPending_) return;
  progressPending_ = false;
  if (importWindow_ != nullptr) importWindow_->ShowProgress(progress_);
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

std::string QtUserInterface::AskSuffix(const platform::SuffixQuestion& question) {
  if (StopRequested()) return {};  // skipped, as a closed dialog is
  FlushProgress();
  return importWindow_ != nullptr ? importWindow_->AskSuffix(question) : std::string();
}

void QtUserInterface::SetInputsLocked(bool locked) {
  FlushProgress();
  if (importWindow_ != nullptr) importWindow_->SetInputsLocked(locked);
}

void QtUserInterface::ShowProgress(const std::string& text) {
  // A label set a million times would cost more than the import; the text waits for the next
  // pass of events, the only time it can be seen.
  progress_.assign(text);
  progressPending_ = true;
}

void QtUserInterface::LetEventsRun(const std::function<void()>* beforeEvents) {
  // Processing events after every one of a million records would cost more than the import
  // itself; a pass every few milliseconds keeps the window painted and the exit button live.
  if (sinceEvents_.elapsed() < yieldIntervalMs_) return;
  if (beforeEvents != nullptr && *beforeEvents) (*beforeEvents)();
  FlushProgress();
  QApplication::processEvents();
  ++eventPasses_;
  sinceEvents_.restart();
}

void QtUserInterface::SetBusyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  FlushProgress();
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

void QtUserInterface::EndProgram() {
  if (ended_) return;
  FlushProgress();
  ended_ = true;
  SetBusyPointer(false);
  // Hidden rather than closed, so that no window's closing steps run on the way out.
  for (QWidget* widget : QApplication::topLevelWidgets()) widget->hide();
  // Only a running event loop has anything to end; told to exit without one, Qt would refuse
  // every later loop, modal dialogs included.
  if (QThread::currentThread()->loopLevel() > 0) QApplication::exit(0);
}

}  // namespace sfxtal::ui
