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
  /// The suffix-setting dialog for `question`, modal over the window: DialogSuffix.
  virtual std::string AskSuffix(const platform::SuffixQuestion& question) = 0;
};

/// The user interface of the logic over Qt: message boxes without an icon under "SfxTal", the
/// busy pointer, the desktop's opener, and a yield that lets events run only every few
/// milliseconds so that long loops stay fast. The progress line reaches the window when events
/// run, the only time it can be seen.
class QtUserInterface : public platform::UserInterface {
 public:
  static constexpr const char* kTitle = "SfxTal";
  static constexpr int kYieldIntervalMs = 15;

  QtUserInterface();

  /// The window a running import talks to; none before the main window exists.
  void SetImportWindow(ImportWindow* window) { importWindow_ = window; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::string AskSuffix(const platform::SuffixQuestion& question) override;
  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
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

 protected:
  void LetEventsRun(const std::function<void()>* beforeEvents) override;

 private:
  /// The last progress line to the window, if it has not had it yet.
  void FlushProgress();

  ImportWindow* importWindow_ = nullptr;
  std::string progress_;
  bool progressPending_ = false;
  QElapsedTimer sinceEvents_;
  int yieldIntervalMs_ = kYieldIntervalMs;
  long long eventPasses_ = 0;
  bool busy_ = false;
  bool stopRequested_ = false;
  bool ended_ = false;
};

/// True when a desktop session is there to open files in (an X or Wayland display).
bool DesktopSessionPresent();

/// The window that message boxes and dialogs stand over: the active one, else any visible one.
QWidget* DialogParent();

}  // namespace sfxtal::ui
