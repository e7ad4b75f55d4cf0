#include "app/window_user_interface.h"

namespace sfxtal::app {

void WindowUserInterface::FlushProgress() {
  if (!progressPending_) return;
  progressPending_ = false;
  if (importWindow_ != nullptr) {
    importWindow_->ShowProgress(importer::ImportProgress{progressDate_, progressLines_}.Text());
  }
}

std::string WindowUserInterface::AskSuffix(const importer::SuffixQuestion& question) {
  if (StopRequested()) return {};  // skipped, as a closed dialog is
  FlushProgress();
  return importWindow_ != nullptr ? importWindow_->AskSuffix(question) : std::string();
}

void WindowUserInterface::SetInputsLocked(bool locked) {
  FlushProgress();
  if (importWindow_ != nullptr) importWindow_->SetInputsLocked(locked);
}

void WindowUserInterface::ShowProgress(const importer::ImportProgress& progress) {
  // A label set a million times would cost more than the import; the progress waits for the next
  // pass of events, the only time it can be seen, and only then becomes text.
  progressDate_.assign(progress.Date);
  progressLines_ = progress.LinesWritten;
  progressPending_ = true;
}

void WindowUserInterface::LetEventsRun(const std::function<void()>* beforeEvents) {
  // Events after every one of a million records would cost more than the import itself; a pass
  // every few milliseconds keeps the window painted and the exit button live. Even the clock, read
  // for every record, costs a tenth of the import (35 ns a read here): it is read at every 16th
  // yield, microseconds apart, unless every yield is to let events run.
  if (yieldInterval_.count() != 0 && ++yieldsUnclocked_ < kYieldsPerClockRead) return;
  yieldsUnclocked_ = 0;
  if (std::chrono::steady_clock::now() - lastEvents_ < yieldInterval_) return;
  if (beforeEvents != nullptr && *beforeEvents) (*beforeEvents)();
  FlushProgress();
  RunPendingEvents();
  ++eventPasses_;
  lastEvents_ = std::chrono::steady_clock::now();
}

void WindowUserInterface::SetBusyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  FlushProgress();
  ShowBusyPointer(busy);
}

void WindowUserInterface::EndProgram() {
  if (ended_) return;
  FlushProgress();
  ended_ = true;
  SetBusyPointer(false);
  HideWindowsAndQuit();
}

}  // namespace sfxtal::app
