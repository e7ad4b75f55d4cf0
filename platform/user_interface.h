#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace sfxtal::platform {

/// The QSO the suffix-setting dialog asks about, as the operator is shown it (UTF-8).
struct SuffixQuestion {
  std::int32_t Pointer = 0;  // the record's number in the log
  std::string Date;          // CCYY/MM/DD
  std::string Time;
  std::string Mode;
  std::string Freq;
  std::string Callsign;  // normalized
};

/// The one way the program's logic talks to the operator. The windows implement it, sfxtal-cli
/// with the terminal, tests with a recorder. Texts are UTF-8 and come from the logic exactly as
/// the operator is to see them. Every operation but the two that speak to the operator does
/// nothing by default, which is right for anything without a window.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  /// A message box with an OK button; returns when the operator has closed it.
  virtual void ShowMessage(const std::string& text) = 0;
  /// A Yes/No question, Yes being the default button. True for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  /// The suffix-setting dialog, modal, for the QSO in `question`: the suffix the operator set
  /// (DialogSuffix), or "" when the dialog was skipped or closed.
  virtual std::string AskSuffix(const SuffixQuestion& /*question*/) { return {}; }

  /// Disables (true) or enables again (false) the main window's import inputs.
  virtual void SetInputsLocked(bool /*locked*/) {}
  /// The import's progress line, reported after every step; the window shows the latest one
  /// whenever it paints.
  virtual void ShowProgress(const std::string& /*text*/) {}
  /// Lets pending window events run once, after a step of a long loop. The front end decides
  /// whether events run this time (a window may let them run every few milliseconds only), so it
  /// must be cheap when they do not.
  void Yield() { LetEventsRun(nullptr); }
  /// The same; `beforeEvents` runs first whenever events run, so that what the window is about to
  /// show has happened (the import flushes the work file there).
  void Yield(const std::function<void()>& beforeEvents) { LetEventsRun(&beforeEvents); }
  /// The busy (true) or normal (false) mouse pointer.
  virtual void SetBusyPointer(bool /*busy*/) {}
  /// Hands a file to the desktop's application for it.
  virtual void OpenFile(const std::filesystem::path& /*path*/) {}
  /// Ends the program at once. The logic returns from what it was doing right after this call,
  /// closing its files on the way; nothing else of the job happens.
  virtual void EndProgram() {}
  /// True once the operator has asked a running job to stop (the exit button).
  virtual bool StopRequested() const { return false; }

 protected:
  /// Yield's work: when events are to run, `beforeEvents` (if any) first, then the events.
  virtual void LetEventsRun(const std::function<void()>* /*beforeEvents*/) {}
};

/// An operator who reads nothing, answers No to every question and skips every suffix dialog:
/// for work without anyone at the screen (benchmarks, fuzzing, the pictures of the windows).
class QuietUserInterface : public UserInterface {
 public:
  void ShowMessage(const std::string& /*text*/) override {}
  bool AskYesNo(const std::string& /*text*/) override { return false; }
};

}  // namespace sfxtal::platform
