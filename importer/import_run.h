#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "importer/answer_history.h"
#include "importer/import_user_interface.h"
#include "logdb/log_source.h"
#include "logdb/qso_record.h"
#include "platform/path_text.h"
#include "platform/text_file.h"

namespace sfxtal::importer {

/// The search period's six date boxes: start year, month, day and end year, month, day.
inline constexpr int kDateBoxCount = 6;
/// What the date boxes hold until the operator types into them: the period is not kept between
/// runs.
inline constexpr std::array<const char*, kDateBoxCount> kDateBoxDefaults = {"1997", "07", "15",
                                                                            "9999", "99", "99"};

/// What the main window hands to the import: its inputs as the operator left them.
struct ImportRequest {
  /// Text1: the log's path exactly as typed (UTF-8, not trimmed).
  std::string Path;
  /// Text2, the date boxes, as typed.
  std::array<std::string, kDateBoxCount> DateBoxes{kDateBoxDefaults[0], kDateBoxDefaults[1],
                                                   kDateBoxDefaults[2], kDateBoxDefaults[3],
                                                   kDateBoxDefaults[4], kDateBoxDefaults[5]};
  /// Option2 "個別設定" selected: ask about QSOs whose callsign does not tell the suffix.
  /// False is Option1 "バイパス": leave them out.
  bool AskUndeterminable = false;
  /// Text3: the give-up marks, compared case-sensitively.
  std::string GiveUpMarks;
};

/// How a run ended, for the front ends.
enum class ImportOutcome {
  kFinished,     // the work file is whole; hand-over and exit operation ran
  kNotStarted,   // the log path names no file; nothing happened
  kOpenFailed,   // the log could not be opened; the work file is empty, the inputs unlocked
  kWriteFailed,  // the work file could not be created or written; the inputs unlocked
  kStopped,      // the operator asked to stop; the work file holds the lines so far
  kAborted,      // the operator aborted at the frequency-error question; the same
};

/// The import (Command2_Click's work): reads the log for the period, works out each QSO's suffix
/// and writes the work file "sfxtal.tmp" in the program folder, one line per counted QSO.
class ImportRun {
 public:
  static constexpr std::int32_t kSeekStride = 500;

  /// `log` is the log to read. `handOver` is the spreadsheet step with "FREAD" and
  /// `exitOperation` the main window's exit; either may be empty (nothing to do).
  ImportRun(std::filesystem::path programFolder, ImportUserInterface& ui, logdb::LogSource& log,
            std::function<void()> handOver, std::function<void()> exitOperation);
  ImportRun(const platform::NarrowText auto&, ImportUserInterface&, logdb::LogSource&,
            std::function<void()>, std::function<void()>) = delete;

  /// Runs the import once. A stop request is answered after the record in hand; the run then
  /// leaves the exit to the caller, who asked for it.
  ImportOutcome Command2_Click(const ImportRequest& request);

  const std::filesystem::path& WorkFilePath() const { return workFilePath_; }
  /// Lines written to the work file by the last run.
  std::int32_t LinesWritten() const { return linesWritten_; }

 private:
  bool Seek(std::int32_t& start, ImportOutcome& ended);
  void ProcessQso(platform::TextFileWriter& workFile);
  void ShowDateAndCount();
  ImportOutcome Finish(platform::TextFileWriter& workFile, ImportOutcome outcome);

  std::filesystem::path programFolder_;
  std::filesystem::path workFilePath_;
  ImportUserInterface& ui_;
  logdb::LogSource& log_;
  std::function<void()> handOver_;
  std::function<void()> exitOperation_;
  AnswerHistory history_;

  logdb::CurrentQso current_;

  // Per run.
  const ImportRequest* request_ = nullptr;
  std::string periodStart_;
  std::string periodEnd_;
  std::int32_t linesWritten_ = 0;
  // By a mark's byte: whether the operator gave up on it.
  std::array<bool, 256> giveUp_{};
  // Reused record after record: the QSO's processed date and callsign, and its work-file line.
  std::array<char, 10> date_{};
  std::string callsign_;
  std::string suffixBytes_;
  std::string lineBytes_;
};

}  // namespace sfxtal::importer
