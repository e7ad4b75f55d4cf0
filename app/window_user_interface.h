#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "importer/import_user_interface.h"

namespace sfxtal::app {

/// What only the main window can do for a running import: lock its inputs, show the progress
/// line and ask for a suffix modally over itself.
class ImportWindow {
 public:
  virtual ~ImportWindow() = default;
  virtual void SetInputsLocked(bool locked) = 0;
  virtual void ShowProgress(const std::string& text) = 0;
  /// The suffix-setting dialog for `question`, modal over the window: DialogSuffix.
  virtual std::string AskSuffix(const importer::SuffixQuestion& question) = 0;
};

/// What a user interface over windows does whatever its toolkit: the running import's requests
/// passed to the main window, the progress line held until events run, the stop and the end of
/// the program, and a yield that lets events run at most every 15 ms, so that long loops stay
/// fast. A toolkit adds its message boxes, pointer, event pass and the hiding of its windows.
class WindowUserInterface : public importer::ImportUserInterface {
 public:
  static constexpr int kYieldIntervalMs = 15;

  /// The window a running import talks to; none before the main window exists.
  void SetImportWindow(ImportWindow* window) { importWindow_ = window; }

  std::string AskSuffix(const importer::SuffixQuestion& question) override;
  void SetInputsLocked(bool locked) override;
  void ShowProgress(const importer::ImportProgress& progress) override;
  void SetBusyPointer(bool busy) final;
  void EndProgram() final;
  /// A job in hand stops when the operator asked for it, and once the program has been ended
  /// (a window closed during a yield), so that it closes its files and returns.
  bool StopRequested() const override { return stopRequested_ || ended_; }

  /// The exit button during an import: the import stops after the record in hand.
  void RequestStop() { stopRequested_ = true; }
  /// Windows then close without their closing steps.
  bool Ended() const final { return ended_; }
  bool Busy() const { return busy_; }
  /// How long Yield lets the logic run between passes of events (tests use 0: every yield).
  void SetYieldInterval(int milliseconds) {
    yieldInterval_ = std::chrono::milliseconds(milliseconds);
  }
  /// How many times Yield really let events run (for tests and benchmarks).
  long long EventPasses() const { return eventPasses_; }

 protected:
  /// The progress line to the window, if it has not had it yet: before anything that shows.
  void FlushProgress();
  void LetEventsRun(const std::function<void()>* beforeEvents) final;

  /// The toolkit's pass over its pending events.
  virtual void RunPendingEvents() = 0;
  /// The toolkit's pointer, busy or normal.
  virtual void ShowBusyPointer(bool busy) = 0;
  /// Hides every window, so that no window's closing steps run, and ends the event loop.
  virtual void HideWindowsAndQuit() = 0;

 private:
  ImportWindow* importWindow_ = nullptr;
  // The latest progress, kept as numbers and made into text only for the window.
  std::string progressDate_;
  std::int64_t progressLines_ = importer::ImportProgress::kSeeking;
  bool progressPending_ = false;
  std::chrono::steady_clock::time_point lastEvents_ = std::chrono::steady_clock::now();
  std::chrono::milliseconds yieldInterval_{kYieldIntervalMs};
  static constexpr int kYieldsPerClockRead = 16;
  int yieldsUnclocked_ = 0;
  long long eventPasses_ = 0;
  bool busy_ = false;
  bool stopRequested_ = false;
  bool ended_ = false;
};

}  // namespace sfxtal::app
