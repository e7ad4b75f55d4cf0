#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace sfxtal::platform {

/// How the program's logic talks to the operator, whatever the job. The windows implement it,
/// sfxtal-cli with the terminal, tests with a recorder; a job with wishes of its own extends it.
/// Texts are UTF-8 and come from the logic exactly as the operator is to see them. Every
/// operation but the two that speak to the operator does nothing by default, which is right for
/// anything without a window.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  /// A message box with an OK button; returns when the operator has closed it.
  virtual void ShowMessage(const std::string& text) = 0;
  /// A Yes/No question, Yes being the default button. True for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
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
  /// True once the program has been ended; what was running returns without further steps.
  virtual bool Ended() const { return false; }
  /// True once the operator has asked a running job to stop (the exit button).
  virtual bool StopRequested() const { return false; }

 protected:
  /// Yield's work: when events are to run, `beforeEvents` (if any) first, then the events.
  virtual void LetEventsRun(const std::function<void()>* /*beforeEvents*/) {}
};

}  // namespace sfxtal::platform
