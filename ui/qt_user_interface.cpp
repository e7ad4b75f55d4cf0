#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace sfxtal::ui {

namespace {

QString ToQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

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
  QMessageBox box(QMessageBox::NoIcon, kTitle, ToQString(text), QMessageBox::Ok, DialogParent());
  box.exec();
}

bool QtUserInterface::AskYesNo(const std::string& text) {
  FlushProgress();
  QMessageBox box(QMessageBox::NoIcon, kTitle, ToQString(text), QMessageBox::Yes | QMessageBox::No,
                  DialogParent());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtUserInterface::AskSuffix(import::SuffixDialog& dialog) {
  FlushProgress();
  if (importWindow_ != nullptr) importWindow_->AskSuffix(dialog);
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

bool QtUserInterface::CountYield() {
  // Processing events after every one of a million records would cost more than the import
  // itself; a pass every few milliseconds keeps the window painted and the exit button live.
  // Even reading the clock at every record costs a tenth of the import on a virtual machine, so
  // the clock is read only every so many yields: about sixteen times an interval at the rate of
  // the last one.
  ++yieldsSincePass_;
  if (++yieldsSinceClock_ < clockStride_) return false;
  yieldsSinceClock_ = 0;
  return sinceEvents_.elapsed() >= yieldIntervalMs_;
}

bool QtUserInterface::PaintsAtNextYield() {
  // Asked again before the same yield, the answer stays the one given.
  if (!yieldCounted_) {
    passAtYield_ = CountYield();
    yieldCounted_ = true;
  }
  return passAtYield_;
}

void QtUserInterface::Yield() {
  // The answer PaintsAtNextYield gave holds: after false the import has not built the progress
  // line, and the window would paint an old one.
  const bool pass = yieldCounted_ ? passAtYield_ : CountYield();
  yieldCounted_ = false;
  if (!pass) return;
  FlushProgress();
  QApplication::processEvents();
  ++eventPasses_;
  clockStride_ = std::clamp<long long>(yieldsSincePass_ / 16, 1, kLargestClockStride);
  yieldsSincePass_ = 0;
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
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path.string())));
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
