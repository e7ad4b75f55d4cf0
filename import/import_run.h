#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "import/answer_history.h"
#include "logdb/log_database.h"
#include "platform/user_interface.h"

namespace sfxtal::import {

/// What the main window hands to the import: its inputs as the operator left them.
struct ImportRequest {
  /// Text1: the log's path exactly as typed (UTF-8, not trimmed).
  std::string Path;
  /// Text2(0)..Text2(5): start year, month, day and end year, month, day, as typed.
  std::array<std::string, 6> DateBoxes{"1997", "07", "15", "9999", "99", "99"};
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
  kWriteFailed,  // the work file could not be written; an earlier one stays, inputs unlocked
  kStopped,      // the operator asked to stop; the work file holds the lines so far
  kAborted,      // the operator aborted at the frequency-error question; the same
};

/// The import (Command2_Click's work): reads the log for the period, works out each QSO's suffix
/// and writes the work file "sfxtal.tmp" in the program folder, one line per counted QSO.
class ImportRun {
 public:
  static constexpr const char* kWorkFileName = "sfxtal.tmp";
  static constexpr std::int32_t kSeekStride = 500;

  /// `errors` lives as long as the program. `handOver` is the spreadsheet step with "FREAD" and
  /// `exitOperation` the main window's exit; either may be empty (nothing to do).
  ImportRun(std::filesystem::path programFolder, platform::UserInterface& ui,
            logdb::FrequencyErrors& errors, std::function<void()> handOver,
            std::function<void()> exitOperation);
  ~ImportRun();

  /// Runs the import once. A stop request is answered after the record in hand; the run then
  /// leaves the exit to the caller, who asked for it.
  ImportOutcome Command2_Click(const ImportRequest& request);

  const std::filesystem::path& WorkFilePath() const { return workFilePath_; }
  /// Lines written to the work file by the last run.
  std::int32_t LinesWritten() const { return linesWritten_; }
  /// The reader with DbPath, Pointer and the QSO in hand. The main pass decodes a record into the
  /// QSO only where it must (for the history, the dialog, the end of the run), so during the pass
  /// the QSO may be an earlier one; once the run has returned it is the last record read.
  const logdb::LogDatabase& Database() const { return database_; }
  /// The suffix the dialog gave for the QSO in hand ("" when none).
  const std::string& DialogSuffix() const { return dialogSuffix_; }

 private:
  class WorkFile;
  class RunUi;

  std::optional<ImportOutcome> Seek(std::int32_t& start);
  void ProcessQso(WorkFile* workFile);
  bool ProcessFields(logdb::RecordFields& fields, WorkFile& workFile);
  // `knownAscii`: the fields are known to be ASCII, so need no encoding.
  void WriteWorkLine(WorkFile& workFile, std::string_view calls, std::string_view suffix,
                     std::string_view date, std::string_view mark, bool knownAscii);
  void TakeQso();
  void ShowDateAndCount(std::string_view date);
  void FlushProgress();
  ImportOutcome Finish(WorkFile& workFile, ImportOutcome outcome);

  std::filesystem::path programFolder_;
  std::filesystem::path workFilePath_;
  platform::UserInterface& ui_;
  // What the run's parts talk to: the progress line put off is shown before anything that paints.
  std::unique_ptr<RunUi> runUi_;
  std::function<void()> handOver_;
  std::function<void()> exitOperation_;
  logdb::LogDatabase database_;
  AnswerHistory history_;
  std::string dialogSuffix_;

  // Per run.
  const ImportRequest* request_ = nullptr;
  bool haveMarks_ = false;  // the give-up marks hold more than blanks
  std::string periodStart_;
  std::string periodEnd_;
  std::int32_t linesWritten_ = 0;

  // The main pass leaves the QSO in hand as it was until a record must be taken into it; then
  // the record last read is taken, and processed again without writing when it was processed.
  bool qsoBehind_ = false;
  bool behindProcessed_ = false;

  // The progress line as the run describes it: the date of the last step and the lines so far.
  // It is built only when the window can paint it.
  std::string progressDate_;
  bool progressPending_ = false;

  // Buffers reused record after record, so the main pass does not allocate.
  logdb::RecordFields fields_;
  std::string callsign_;
  std::string suffix_;
  std::string progress_;
  std::string notYetBytes_;
  std::string encoded_[4];
};

}  // namespace sfxtal::import
