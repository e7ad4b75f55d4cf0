#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/user_interface.h"
#include "win32/win32_api.h"

namespace sfxtal::win32 {

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

/// The user interface of the logic over Win32: message boxes without an icon under "SfxTal" with
/// Yes the default, the busy pointer, the desktop's opener, and a yield that lets pending
/// messages run at most every 15 ms, so that long loops stay fast.
class Win32UserInterface : public platform::UserInterface {
 public:
  static constexpr const wchar_t* kTitle = L"SfxTal";
  static constexpr int kYieldIntervalMs = 15;

  /// Makes the common controls (list view, tooltips) available to the windows.
  Win32UserInterface();

  void SetImportWindow(ImportWindow* window) { importWindow_ = window; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::string AskSuffix(const platform::SuffixQuestion& question) override;
  void SetInputsLocked(bool locked) override;
  void ShowProgress(const std::string& text) override;
  void SetBusyPointer(bool busy) override;
  void OpenFile(const std::filesystem::path& path) override;
  void EndProgram() override;
  /// A job in hand stops when the operator asked for it, and once the program has been ended.
  bool StopRequested() const override { return stopRequested_ || ended_; }

  /// The exit button during an import: the import stops after the record in hand.
  void RequestStop() { stopRequested_ = true; }
  bool Ended() const { return ended_; }
  bool Busy() const { return busy_; }
  /// How long Yield lets the logic run between passes of messages (tests use 0).
  void SetYieldInterval(int milliseconds) {
    yieldInterval_ = std::chrono::milliseconds(milliseconds);
  }

 protected:
  void LetEventsRun(const std::function<void()>* beforeEvents) override;

 private:
  void FlushProgress();

  ImportWindow* importWindow_ = nullptr;
  std::string progress_;
  bool progressPending_ = false;
  std::chrono::steady_clock::time_point lastEvents_ = std::chrono::steady_clock::now();
  std::chrono::milliseconds yieldInterval_{kYieldIntervalMs};
  bool busy_ = false;
  bool stopRequested_ = false;
  bool ended_ = false;
};

/// The program's message loop, until the program ends: the exit code.
int RunMessageLoop();
/// Hands one message to its window, Tab and the arrow keys walking the window's controls.
void DispatchToForm(MSG& message);
/// Runs messages until `done` turns true or the program is told to quit (the quit then stays
/// posted for the outer loop).
void RunModalLoop(const bool& done);
/// The window that message boxes and dialogs stand over: the active one, else any visible one of
/// the program's.
HWND DialogOwner();

}  // namespace sfxtal::win32
