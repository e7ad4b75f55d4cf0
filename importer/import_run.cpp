#include "importer/import_run.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "importer/import_texts.h"
#include "importer/suffix_rules.h"
#include "platform/ascii_text.h"
#include "platform/field_text.h"
#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::importer {
namespace {

// "CCYY-MM-DD" to "CCYY/MM/DD" in `out`: characters 1-4, "/", 6-7, "/", 9-10 of the date the log
// gave, of which a short date has fewer.
std::string_view RewriteDate(std::array<char, 10>& out, std::string_view date) {
  std::size_t to = 0;
  const auto copy = [&](std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count && i < date.size(); ++i) out[to++] = date[i];
  };
  copy(0, 4);
  out[to++] = '/';
  copy(5, 2);
  out[to++] = '/';
  copy(8, 2);
  return {out.data(), to};
}

std::string PeriodBound(const std::string& year, const std::string& month, const std::string& day) {
  std::string bound(platform::LeftCharacters(year, 4));
  bound += '-';
  bound += platform::LeftCharacters(month, 2);
  bound += '-';
  bound += platform::LeftCharacters(day, 2);
  return bound;
}

// Earlier versions of the program wrote the work file under a hidden temporary name and renamed
// it at the end; a run that was killed left that file behind for good.
void RemoveLeftoverWorkFiles(const std::filesystem::path& folder) {
  std::string prefix = ".";
  prefix += importer::kWorkFileName;
  prefix += '.';
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = platform::Utf8FromPath(entry.path().filename());
    if (name.starts_with(prefix) && entry.is_regular_file(error)) {
      std::filesystem::remove(entry.path(), error);
    }
  }
}

// One work-file line as its CP932 bytes: the four fields in quotes, joined by commas, and the line
// end, written into room that `line` keeps from line to line. A line break or a quote from the
// log would break the line for the tally, so they get their stand-ins.
std::string_view MakeWorkLine(std::string& line, std::string_view calls, std::string_view suffix,
                              std::string_view date, std::string_view mark) {
  using platform::PutQuotedField;
  using platform::QuotedFieldSize;
  const std::size_t size = QuotedFieldSize(calls) + QuotedFieldSize(suffix) +
                           QuotedFieldSize(date) + QuotedFieldSize(mark) + 3 + 2;
  if (line.size() < size) line.resize(size);
  char* to = PutQuotedField(line.data(), calls);
  *to++ = ',';
  to = PutQuotedField(to, suffix);
  *to++ = ',';
  to = PutQuotedField(to, date);
  *to++ = ',';
  to = PutQuotedField(to, mark);
  *to++ = '\r';
  *to = '\n';
  return {line.data(), size};
}

}  // namespace

ImportRun::ImportRun(std::filesystem::path programFolder, ImportUserInterface& ui,
                     logdb::LogSource& log, std::function<void()> handOver,
                     std::function<void()> exitOperation)
    : programFolder_(std::move(programFolder)),
      workFilePath_(programFolder_ / platform::PathFromUtf8(importer::kWorkFileName)),
      ui_(ui),
      log_(log),
      handOver_(std::move(handOver)),
      exitOperation_(std::move(exitOperation)),
      history_(programFolder_, ui) {}

ImportOutcome ImportRun::Command2_Click(const ImportRequest& request) {
  linesWritten_ = 0;
  // The log must be there; nothing else happens otherwise.
  if (!platform::FileExists(platform::PathFromUtf8(request.Path))) {
    ui_.ShowMessage(std::string(log_.MissingMessage()));
    return ImportOutcome::kNotStarted;
  }
  // The inputs are locked for the rest of the run.
  ui_.SetInputsLocked(true);

  // The work file is created empty before the log is opened, so a run that finds nothing, or
  // fails, leaves it empty. Lines reach it at the latest when the window is about to show them.
  RemoveLeftoverWorkFiles(programFolder_);
  platform::TextFileWriter workFile;
  if (!workFile.Open(workFilePath_, platform::TextFileWriter::Mode::kCreate)) {
    ui_.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, workFilePath_));
    ui_.SetInputsLocked(false);
    return ImportOutcome::kWriteFailed;
  }
  const std::function<void()> flushWorkFile = [&workFile] { workFile.Flush(); };

  // A log that cannot be opened ends the run here rather than reading from no file.
  if (!log_.OpenLogDatabase(request.Path)) {
    if (log_.LastOpenFailure() != logdb::OpenFailure::kMalformed) {
      ui_.ShowMessage(std::string(log_.MissingMessage()));
    }
    return Finish(workFile, ImportOutcome::kOpenFailed);
  }

  // The period's bounds, compared with the QSOs' dates as strings.
  request_ = &request;
  const auto& boxes = request.DateBoxes;
  periodStart_ = PeriodBound(boxes[0], boxes[1], boxes[2]);
  periodEnd_ = PeriodBound(boxes[3], boxes[4], boxes[5]);
  // The give-up marks are text the operator typed; a QSO's mark is one byte of the log, which
  // gives up when the marks hold its character.
  const bool anyGiveUpMark = !platform::TrimBlanks(request.GiveUpMarks).empty();
  for (std::size_t b = 0; b < giveUp_.size(); ++b) {
    const char byte = static_cast<char>(b);
    giveUp_[b] =
        anyGiveUpMark && request.GiveUpMarks.find(log_.TextOf({&byte, 1})) != std::string::npos;
  }

  // A log in date order: a seek finds where the period starts, and the first QSO after it ends
  // the pass. Any other log is read whole, so that no QSO of the period is missed.
  const bool inDateOrder = log_.InDateOrder();
  std::int32_t start = 1;
  ImportOutcome ended = ImportOutcome::kFinished;
  if (inDateOrder && !Seek(start, ended)) return Finish(workFile, ended);

  // The main pass, record by record from the start; the log may step over records it leaves out.
  for (current_.Pointer = start;; ++current_.Pointer) {
    // A record that cannot be read ends the pass as the end of the log does.
    if (!log_.ReadQso(current_)) {
      if (log_.ProgramEnded()) return Finish(workFile, ImportOutcome::kAborted);
      break;
    }
    if (current_.Qso.Date > periodEnd_) {
      if (inDateOrder) break;
    } else if (current_.Qso.Date >= periodStart_) {
      ProcessQso(workFile);
    }
    if (workFile.Failed()) return Finish(workFile, ImportOutcome::kWriteFailed);
    ShowDateAndCount();
    ui_.Yield(flushWorkFile);
    if (ui_.StopRequested()) return Finish(workFile, ImportOutcome::kStopped);
  }
  return Finish(workFile, ImportOutcome::kFinished);
}

// Probes every 500th record of a log in date order for the first one not before the period; the
// main pass then starts one stride back. False, with how the run ends, when it must end here.
bool ImportRun::Seek(std::int32_t& start, ImportOutcome& ended) {
  // A read past the last record fails, which ends the seek as the end of the log.
  for (current_.Pointer = 1;; current_.Pointer += kSeekStride) {
    if (!log_.ReadQso(current_)) {
      if (log_.ProgramEnded()) {
        ended = ImportOutcome::kAborted;
        return false;
      }
      break;
    }
    ui_.ShowProgress({current_.Qso.Date});
    if (current_.Qso.Date >= periodStart_) break;
    ui_.Yield();
    if (ui_.StopRequested()) {
      ended = ImportOutcome::kStopped;
      return false;
    }
  }
  start = std::max<std::int32_t>(1, current_.Pointer - kSeekStride);
  return true;
}

// The QSO in hand, which lies in the period: its mark, date and suffix worked out, and its line
// written when it counts.
void ImportRun::ProcessQso(platform::TextFileWriter& workFile) {
  // The QSO's texts are views: what processing changes is made in the run's own buffers.
  logdb::QsoRecord& qso = current_.Qso;
  // A blank confirmation is "not yet"; the work file holds dates as CCYY/MM/DD.
  if (platform::TrimBlanks(qso.Qsl3).empty()) qso.Qsl3 = kNotYetMarkCp932;
  qso.Date = RewriteDate(date_, qso.Date);
  std::string answer;  // the suffix the history or the operator gave
  // The suffix from the callsign when it tells it: one part, or two of different lengths.
  callsign_.assign(qso.Callsign);
  NormalizeCallsignInPlace(callsign_);
  qso.Callsign = callsign_;
  const CallsignSplit split = SplitCallsign(qso.Callsign, qso.Calls);
  int undetermined = split.Undetermined;
  qso.Calls = split.BaseCall;

  // Otherwise, when the operator chose to be asked: the history first, then the dialog.
  if (undetermined != 0 && request_->AskUndeterminable) {
    answer = history_.MaeRireki(qso, {}, {});
    if (!answer.empty()) {
      undetermined = 0;
    } else {
      const std::string dialogSuffix =
          ui_.AskSuffix({current_.Pointer, log_.TextOf(qso.Date), log_.TextOf(qso.Time),
                         log_.TextOf(qso.Mode), log_.TextOf(qso.Freq), log_.TextOf(qso.Callsign)});
      if (!dialogSuffix.empty()) {
        undetermined = 0;
        answer = dialogSuffix;
        history_.MaeRireki(qso, qso.Callsign, dialogSuffix);
      }
    }
  }
  // Without an answer the suffix is the trailing letters of the base call.
  const std::string_view suffix = answer.empty() ? TrailingLetters(qso.Calls) : answer;

  // A mark the operator gave up on counts as not confirmed.
  if (qso.Qsl3.size() == 1 && giveUp_[static_cast<unsigned char>(qso.Qsl3[0])]) {
    qso.Qsl3 = kNotYetMarkCp932;
  }

  // Only a settled QSO with a suffix of one to three capital letters is counted.
  if (undetermined != 0 || !IsCountableSuffix(suffix)) return;
  // The base call, date and mark are the log's bytes; the suffix may be the operator's text.
  suffixBytes_.clear();
  platform::AppendCp932(suffixBytes_, suffix);
  if (workFile.WriteBytes(MakeWorkLine(lineBytes_, qso.Calls, suffixBytes_, qso.Date, qso.Qsl3))) {
    ++linesWritten_;
  }
}

void ImportRun::ShowDateAndCount() {
  ui_.ShowProgress({current_.Qso.Date, linesWritten_});
}

// The end of every run that got as far as the work file: files closed, then the hand-over and
// the exit after a finished run, or the inputs unlocked after a log that could not be opened.
ImportOutcome ImportRun::Finish(platform::TextFileWriter& workFile, ImportOutcome outcome) {
  log_.CloseLogDatabase();
  request_ = nullptr;
  // Records the log left out are told once, at the end, unless the operator ended the program.
  if (outcome != ImportOutcome::kAborted) {
    const std::string leftOut = log_.LeftOutMessage();
    if (!leftOut.empty()) ui_.ShowMessage(leftOut);
  }
  // Stopped and aborted runs keep the lines written so far, as a finished one keeps all of them.
  const bool written = workFile.Close();
  if (outcome == ImportOutcome::kWriteFailed || !written) {
    ui_.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, workFilePath_));
    if (outcome == ImportOutcome::kAborted) return outcome;
    ui_.SetInputsLocked(false);
    return ImportOutcome::kWriteFailed;
  }
  switch (outcome) {
    case ImportOutcome::kFinished:
      if (handOver_) handOver_();
      if (exitOperation_) exitOperation_();
      break;
    case ImportOutcome::kOpenFailed:
      ui_.SetInputsLocked(false);
      break;
    default:
      break;
  }
  return outcome;
}

}  // namespace sfxtal::importer
