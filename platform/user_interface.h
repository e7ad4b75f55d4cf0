#pragma once

#include <filesystem>
#include <string>

namespace sfxtal::import {
class SuffixDialog;
}

namespace sfxtal::platform {

/// The one way the program's logic talks to the operator. The windows implement it with Qt,
/// sfxtal-cli with the terminal, tests with a recorder. Texts are UTF-8 and come from the logic
/// exactly as the operator is to see them.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  /// A message box with an OK button; returns when the operator has closed it.
  virtual void ShowMessage(const std::string& text) = 0;
  /// A Yes/No question, Yes being the default button. True for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  /// Shows the suffix-setting dialog modally for the QSO it was loaded with; returns when it has
  /// closed. The answer is the dialog's DialogSuffix (empty when skipped).
  virtual void AskSuffix(import::SuffixDialog& dialog) = 0;

  /// Disables (true) or enables again (false) the main window's import inputs.
  virtual void SetInputsLocked(bool locked) = 0;
  /// The import's progress line.
  virtual void ShowProgress(const std::string& text) = 0;
  /// Lets pending window events run once. Called after every step of a long loop, so it must be
  /// cheap.
  virtual void Yield() = 0;
  /// Whether the coming Yield will let the window paint. Building the progress line costs more
  /// than the rest of an import step, so the import builds it only before a Yield for which this
  /// said true, and before any other call that can show the window; a Yield after false must
  /// therefore not paint. True unless the front end knows better.
  virtual bool PaintsAtNextYield() { return true; }
  /// The busy (true) or normal (false) mouse pointer.
  virtual void SetBusyPointer(bool busy) = 0;
  /// Hands a file to the desktop's application for it.
  virtual void OpenFile(const std::filesystem::path& path) = 0;
  /// Ends the program at once. The logic returns from what it was doing right after this call,
  /// closing its files on the way; nothing else of the job happens.
  virtual void EndProgram() = 0;

  /// True once the operator has asked a running job to stop (the exit button).
  virtual bool StopRequested() const = 0;
};

}  // namespace sfxtal::platform
