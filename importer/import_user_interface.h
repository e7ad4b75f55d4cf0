#pragma once

#include <cstdint>
#include <string>

#include "platform/user_interface.h"

namespace sfxtal::importer {

/// The QSO the suffix-setting dialog asks about, as the operator is shown it (UTF-8).
struct SuffixQuestion {
  std::int32_t Pointer = 0;  // the record's number in the log
  std::string Date;          // CCYY/MM/DD
  std::string Time;
  std::string Mode;
  std::string Freq;
  std::string Callsign;  // normalized
};

/// The user interface an import talks to: everything any job asks of the operator, and the
/// import's own wishes, which only the main window (or the terminal) can meet. Each of these does
/// nothing by default, which is right for anything without a window.
class ImportUserInterface : public platform::UserInterface {
 public:
  /// The suffix-setting dialog, modal, for the QSO in `question`: the suffix the operator set
  /// (DialogSuffix), or "" when the dialog was skipped or closed.
  virtual std::string AskSuffix(const SuffixQuestion& /*question*/) { return {}; }
  /// Disables (true) or enables again (false) the main window's import inputs.
  virtual void SetInputsLocked(bool /*locked*/) {}
  /// The import's progress line, reported after every step; the window shows the latest one
  /// whenever it paints.
  virtual void ShowProgress(const std::string& /*text*/) {}
};

/// An operator who reads nothing, answers No to every question and skips every suffix dialog:
/// for work without anyone at the screen (benchmarks, fuzzing, the pictures of the windows).
class QuietUserInterface : public ImportUserInterface {
 public:
  void ShowMessage(const std::string& /*text*/) override {}
  bool AskYesNo(const std::string& /*text*/) override { return false; }
};

}  // namespace sfxtal::importer
