#pragma once

#include <QElapsedTimer>
#include <filesystem>
#include <string>

#include "platform/user_interface.h"

class QWidget;

namespace sfxtal::ui {

/// What only the main window can do for a running import: lock its inputs, show the progress
/// line and ask for a suffix modally over itself.
class ImportWindow {
 public:
  virtual ~ImportWindow() = default;
  virtual void SetInputsLocked(bool locked) = 0;
  virtual void ShowProgress(const std::string& text) = 0;
  virtual void AskSuffix(import::SuffixDialog& dialog) = 0;
};

/// The user interface of the logic over Qt: message boxes without an icon under "SfxTal", the
/// busy pointer, the desktop's opener, and a yield that processes events only every few
/// milliseconds so that long loops stay fast. The progress line is handed to the window when
/// events run, since it can only be seen then. PaintsAtNextYield settles whether the coming yield
/// runs events, and that yield keeps to the answer.
class QtUserInterface : public platform::UserInterface {
 public:
  static constexpr const char* kTitle = "SfxTal";
  static constexpr int kYieldIntervalMs = 15;

  QtUserInterface();

  /// The window a running import talks to; none before the main window exists.
  void SetImportWindow(ImportWindow* window) { importWindow_ = window; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void AskSuffix(import::SuffixDialog& dialog) override;
  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
  void Yield() override;
  bool PaintsAtNextYield() override;
  void SetBusyPointer(bool busy) override;
  void OpenFile(const std::filesystem::path& path) override;
  void EndProgram() override;
  /// A job in hand stops when the operator asked for it, and once the program has been ended
  /// (a window closed during a yield), so that it closes its files and returns.
  bool StopRequested() const override { return stopRequested_ || ended_; }

  /// How long Yield lets the logic run between passes of events (tests use 0: every yield).
  void SetYieldInterval(int milliseconds) { yieldIntervalMs_ = milliseconds; }

  /// The exit button during an import: the import stops after the record in hand.
  void RequestStop() { stopRequested_ = true; }
  /// True once the program has been ended; windows then close without their closing steps.
  bool Ended() const { return ended_; }
  /// How many times Yield really let events run (for tests and benchmarks).
  long long EventPasses() const { return eventPasses_; }

 private:
  /// The last progress line to the window, if it has not had it yet.
  void FlushProgress();
  /// Counts a yield towards the next pass of events; true when the yield so counted is to run
  /// them.
  bool CountYield();

  ImportWindow* importWindow_ = nullptr;
  std::string progress_;
  bool progressPending_ = false;
  QElapsedTimer sinceEvents_;
  int yieldIntervalMs_ = kYieldIntervalMs;
  long long eventPasses_ = 0;
  // Yields between readings of the clock, from the rate of the last interval; bounded so that a
  // loop whose steps turn slow still answers within a moment.
  static constexpr long long kLargestClockStride = 256;
  long long clockStride_ = 1;
  long long yieldsSinceClock_ = 0;
  long long yieldsSincePass_ = 0;
  // PaintsAtNextYield has counted the coming yield already and settled whether it runs events.
  bool yieldCounted_ = false;
  bool passAtYield_ = false;
  bool busy_ = false;
  bool stopRequested_ = false;
  bool ended_ = false;
};

/// True when a desktop session is there to open files in (an X or Wayland display).
bool DesktopSessionPresent();

/// The window that message boxes and dialogs stand over: the active one, else any visible one.
QWidget* DialogParent();

}  // namespace sfxtal::ui
