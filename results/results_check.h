#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_text.h"
#include "platform/user_interface.h"
#include "results/results_file.h"

namespace sfxtal::results {

/// The first thing wrong with a results file: the line (from 1) and what was found there.
struct ResultsFileProblem {
  int line = 0;
  std::string what;

  bool operator==(const ResultsFileProblem&) const = default;
};

/// Called with each record that passed, in suffix order.
using SoundRecordCallback = std::function<void(ResultRecord& record)>;

/// Checks the first 18,278 records of a results file as the tally writes them, since the
/// application goes to the award manager and the totals are only worth what the file is: every
/// line read is CP932 text (no byte-order mark, no UTF-8, EUC-JP or ISO-2022-JP text, no control
/// character but the tab, no byte that does not decode), each record is one line of four fields,
/// its suffix is that of its row (A, B, ... ZZZ), and all 18,278 are there. Blank lines are
/// passed over; what follows the last record is not read. The first problem, or nothing.
///
/// Where a line could be read two ways, CP932 wins unless the other reading is the likelier one:
/// UTF-8 only when the line is well-formed UTF-8 holding a character of three bytes or more and
/// either CP932 cannot read it or those characters are all Japanese script; EUC-JP only when
/// every byte above 0x7F lies in 0xA1-0xFE in pairs and CP932 cannot read it or reads nothing
/// but half-width katakana there (the tally's marks are one character, so a pair is a sign).
std::optional<ResultsFileProblem> CheckResultsRecords(ResultsRecordReader& reader,
                                                      const SoundRecordCallback& onRecord = {});
/// The same over the results file's bytes.
std::optional<ResultsFileProblem> CheckResultsBytes(std::string_view bytes);

/// "実績.txt の N 行目: " and what was found.
std::string ProblemText(const ResultsFileProblem& problem);

/// After the results file was read for the totals: when it fails the check, one message naming
/// the line and saying that the totals shown cannot be trusted (the file's path follows). True
/// when a message was shown. A file that cannot be opened gives none: the read has said so.
bool WarnIfResultsFileUnsound(platform::UserInterface& ui,
                              const std::filesystem::path& programFolder);
bool WarnIfResultsFileUnsound(platform::UserInterface&, const platform::NarrowText auto&) = delete;

}  // namespace sfxtal::results
