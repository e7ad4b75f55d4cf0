#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

/// Where an import stands: the date of the record in hand and, once the main pass runs, how many
/// lines it has written. Made for every record, but turned into text only when it is shown.
struct ImportProgress {
  static constexpr std::int64_t kSeeking = -1;
  std::string_view Date;
  std::int64_t LinesWritten = kSeeking;

  /// The progress line: the date, and after a blank the lines written ("1998-03-01 12").
  std::string Text() const;
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
  /// The import's progress, reported after every step; the window shows the latest one whenever
  /// it paints. `progress` views the record in hand: it is gone once this returns.
  virtual void ShowProgress(const ImportProgress& /*progress*/) {}
};

/// An operator who reads nothing, answers No to every question and skips every suffix dialog:
/// for work without anyone at the screen (benchmarks, fuzzing, the pictures of the windows).
class QuietUserInterface : public ImportUserInterface {
 public:
  void ShowMessage(const std::string& /*text*/) override {}
  bool AskYesNo(const std::string& /*text*/) override { return false; }
};

}  // namespace sfxtal::importer
