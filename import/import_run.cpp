#include "import/import_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "import/suffix_dialog.h"
#include "import/suffix_rules.h"
#include "platform/field_text.h"
#include "platform/file_exists.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::import {
namespace {

constexpr const char* kLogMissing = "Tevrak.TDB が見つかりません";
constexpr const char* kCannotWrite = "ファイルに書き込めません\n";
constexpr std::string_view kNotYet = logdb::kNotYetMark;

bool HasNonAscii(std::string_view text) {
  std::uint64_t bits = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    bits |= word;
  }
  for (; i < text.size(); ++i) bits |= static_cast<unsigned char>(text[i]);
  return (bits & 0x8080808080808080ull) != 0;
}

bool IsBlankText(std::string_view text) {
  for (char c : text) {
    if (c != ' ') return false;
  }
  return true;
}

// Ordinal comparison, by byte, of the short date texts; a prefix comes first.
int CompareText(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] != b[i])
      return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// "CCYY-MM-DD" to "CCYY/MM/DD", taking characters 1-4, 6-7 and 9-10 of whatever the log held.
void RewriteDate(std::string& date) {
  if (date.size() == 10) {  // the usual shape: only the separators change
    date[4] = '/';
    date[7] = '/';
    return;
  }
  char buffer[10];
  std::size_t length = 0;
  const auto take = [&](std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count && i < date.size(); ++i) buffer[length++] = date[i];
  };
  take(0, 4);
  buffer[length++] = '/';
  take(5, 2);
  buffer[length++] = '/';
  take(8, 2);
  date.assign(buffer, length);
}

std::string PeriodBound(const std::string& year, const std::string& month, const std::string& day) {
  std::string bound(platform::LeftCharacters(year, 4));
  bound += '-';
  bound += platform::LeftCharacters(month, 2);
  bound += '-';
  bound += platform::LeftCharacters(day, 2);
  return bound;
}

}  // namespace

// The work file is written under a temporary name beside sfxtal.tmp and renamed over it when the
// run ends, so that a run that cannot write leaves the previous work file whole. Lines are built
// straight into its buffer, which goes to the file a mebibyte at a time.
class ImportRun::WorkFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;

  explicit WorkFile(const std::filesystem::path& path) : file_(path) {}
  WorkFile(const WorkFile&) = delete;
  WorkFile& operator=(const WorkFile&) = delete;

  bool Create() {
    fd_ = file_.Create();
    if (fd_ < 0) return false;
    buffer_.resize(kBufferSize);
    return true;
  }

  /// Room for `size` more bytes; write them there, then call Advance.
  char* Room(std::size_t size) {
    if (used_ + size > buffer_.size()) {
      WriteBuffer();
      if (size > buffer_.size()) buffer_.resize(size);
    }
    return buffer_.data() + used_;
  }
  /// Takes `size` bytes written at Room into the file; false once writing has failed.
  bool Advance(std::size_t size) {
    used_ += size;
    return !failed_;
  }

  bool Failed() const { return failed_; }

  // The rest of the lines to the file, then the new file takes the place of the old one. No
  // fsync: every import rebuilds the work file from the log, so it need not outlast a power cut,
  // and the rename alone keeps a failed write away from the old file.
  bool Commit() {
    if (fd_ < 0 || failed_) return false;
    bool ok = WriteBuffer();
    ok = ok ? file_.Commit(false) : (file_.Discard(), false);
    fd_ = -1;
    failed_ = !ok;
    return ok;
  }

  void Discard() {
    file_.Discard();
    fd_ = -1;
  }

 private:
  bool WriteBuffer() {
    const char* data = buffer_.data();
    std::size_t left = used_;
    while (!failed_ && left > 0) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        failed_ = true;
      } else {
        data += written;
        left -= static_cast<std::size_t>(written);
      }
    }
    used_ = 0;
    return !failed_;
  }

  platform::SiblingFile file_;
  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

// The operator's interface as the reader, the history and the dialog see it: before anything
// that can paint the window, the progress line that the run put off is shown, so the window never
// paints an older line than the run describes.
class ImportRun::RunUi final : public platform::UserInterface {
 public:
  RunUi(platform::UserInterface& ui, ImportRun& run) : ui_(ui), run_(run) {}

  void ShowMessage(const std::string& text) override {
    run_.FlushProgress();
    ui_.ShowMessage(text);
  }
  bool AskYesNo(const std::string& text) override {
    run_.FlushProgress();
    return ui_.AskYesNo(text);
  }
  void AskSuffix(SuffixDialog& dialog) override {
    run_.FlushProgress();
    ui_.AskSuffix(dialog);
  }
  void SetInputsLocked(bool locked) override {
    run_.FlushProgress();
    ui_.SetInputsLocked(locked);
  }
  void ShowProgress(const std::string& text) override { ui_.ShowProgress(text); }
  void Yield() override { ui_.Yield(); }
  bool PaintsAtNextYield() override { return ui_.PaintsAtNextYield(); }
  void SetBusyPointer(bool busy) override {
    run_.FlushProgress();
    ui_.SetBusyPointer(busy);
  }
  void OpenFile(const std::filesystem::path& path) override {
    run_.FlushProgress();
    ui_.OpenFile(path);
  }
  void EndProgram() override {
    run_.FlushProgress();
    ui_.EndProgram();
  }
  bool StopRequested() const override { return ui_.StopRequested(); }

 private:
  platform::UserInterface& ui_;
  ImportRun& run_;
};

ImportRun::ImportRun(std::filesystem::path programFolder, platform::UserInterface& ui,
                     logdb::FrequencyErrors& errors, std::function<void()> handOver,
                     std::function<void()> exitOperation)
    : programFolder_(std::move(programFolder)),
      workFilePath_(programFolder_ / kWorkFileName),
      ui_(ui),
      runUi_(std::make_unique<RunUi>(ui, *this)),
      handOver_(std::move(handOver)),
      exitOperation_(std::move(exitOperation)),
      database_(*runUi_, errors),
      history_(programFolder_, *runUi_),
      notYetBytes_(platform::EncodeCp932(kNotYet)) {}

ImportRun::~ImportRun() = default;

ImportOutcome ImportRun::Command2_Click(const ImportRequest& request) {
  linesWritten_ = 0;
  qsoBehind_ = false;
  progressPending_ = false;
  if (!platform::FileExists(request.Path)) {
    ui_.ShowMessage(kLogMissing);
    return ImportOutcome::kNotStarted;
  }
  ui_.SetInputsLocked(true);
  database_.DbPath = request.Path;

  WorkFile workFile(workFilePath_);
  if (!workFile.Create()) {
    ui_.ShowMessage(kCannotWrite + workFilePath_.string());
    ui_.SetInputsLocked(false);
    return ImportOutcome::kWriteFailed;
  }
  // A log that cannot be opened ends the run here rather than reading from no file.
  if (!database_.OpenLogDatabase()) {
    if (database_.LastOpenFailure() != logdb::OpenFailure::kMalformed) ui_.ShowMessage(kLogMissing);
    return Finish(workFile, ImportOutcome::kOpenFailed);
  }

  request_ = &request;
  haveMarks_ = !IsBlankText(request.GiveUpMarks);
  const auto& boxes = request.DateBoxes;
  periodStart_ = PeriodBound(boxes[0], boxes[1], boxes[2]);
  periodEnd_ = PeriodBound(boxes[3], boxes[4], boxes[5]);

  std::int32_t start = 1;
  if (const auto ended = Seek(start)) return Finish(workFile, *ended);

  // The pass reads each record's fields without decoding them into the QSO in hand: a plain
  // QSO goes from the log's bytes straight into the work file, and only one that needs the
  // history or the dialog is taken into the QSO and processed there.
  auto& db = database_;
  logdb::RecordFields& fields = fields_;
  for (db.Pointer = start; db.Pointer <= db.RecordCount(); ++db.Pointer) {
    // A record that cannot be read ends the pass as the end of the log does.
    if (!db.SkimQso(fields)) {
      if (db.ProgramEnded()) return Finish(workFile, ImportOutcome::kAborted);
      break;
    }
    qsoBehind_ = true;
    behindProcessed_ = false;
    const std::string* date = &fields.date;
    if (CompareText(fields.date, periodEnd_) > 0) break;
    if (CompareText(fields.date, periodStart_) >= 0) {
      behindProcessed_ = true;
      if (!fields.ascii || !ProcessFields(fields, workFile)) {
        db.TakeQso();
        qsoBehind_ = false;
        ProcessQso(&workFile);
        date = &db.Qso.Date;
      }
      if (workFile.Failed()) return Finish(workFile, ImportOutcome::kWriteFailed);
    }
    if (ui_.PaintsAtNextYield()) {
      ShowDateAndCount(*date);
      progressPending_ = false;
    } else {
      progressDate_.assign(*date);
      progressPending_ = true;
    }
    ui_.Yield();
    if (ui_.StopRequested()) return Finish(workFile, ImportOutcome::kStopped);
  }
  return Finish(workFile, ImportOutcome::kFinished);
}

// Probes every 500th record for the first one not before the period; the main pass then starts
// one stride back. Returns how the run ends when it must end here.
std::optional<ImportOutcome> ImportRun::Seek(std::int32_t& start) {
  auto& db = database_;
  for (db.Pointer = 1; db.Pointer <= db.RecordCount(); db.Pointer += kSeekStride) {
    if (!db.ReadQso()) {
      if (db.ProgramEnded()) return ImportOutcome::kAborted;
      break;
    }
    ui_.ShowProgress(db.Qso.Date);
    if (CompareText(db.Qso.Date, periodStart_) >= 0) break;
    ui_.Yield();
    if (ui_.StopRequested()) return ImportOutcome::kStopped;
  }
  start = std::max<std::int32_t>(1, db.Pointer - kSeekStride);
  return std::nullopt;
}

// The QSO in hand; with no work file only its rewrites in place, for a record whose line the
// fast path wrote already.
void ImportRun::ProcessQso(WorkFile* workFile) {
  logdb::QsoRecord& qso = database_.Qso;
  if (IsBlankText(qso.Qsl3)) qso.Qsl3 = kNotYet;
  RewriteDate(qso.Date);
  suffix_.clear();
  dialogSuffix_.clear();

  NormalizeCallsignInPlace(qso.Callsign);
  const CallsignSplit split = SplitCallsign(qso.Callsign, qso.Calls);
  int undetermined = split.Undetermined;
  qso.Calls.assign(split.BaseCall);  // may view Calls itself; assign copes with that

  if (undetermined != 0 && request_->AskUndeterminable) {
    suffix_ = history_.MaeRireki(qso, {}, {});
    if (!suffix_.empty()) {
      undetermined = 0;
    } else {
      SuffixDialog dialog(*runUi_, database_.Pointer, qso, dialogSuffix_);
      runUi_->AskSuffix(dialog);
      if (!dialogSuffix_.empty()) {
        undetermined = 0;
        suffix_ = dialogSuffix_;
        history_.MaeRireki(qso, qso.Callsign, dialogSuffix_);
      }
    }
  }
  if (suffix_.empty()) suffix_.assign(TrailingLetters(qso.Calls));

  const std::string& marks = request_->GiveUpMarks;
  if (haveMarks_ && qso.Qsl3 != kNotYet && !qso.Qsl3.empty() &&
      marks.find(qso.Qsl3) != std::string::npos) {
    qso.Qsl3 = kNotYet;
  }

  if (workFile == nullptr || undetermined != 0 || !IsCountableSuffix(suffix_)) return;
  WriteWorkLine(*workFile, qso.Calls, suffix_, qso.Date, qso.Qsl3, false);
}

// ProcessQso for a record whose fields are all ASCII, straight from the log's bytes; the same
// rules give the same line. False, before anything has happened, when the QSO needs the history
// or the dialog: it must then go through ProcessQso.
bool ImportRun::ProcessFields(logdb::RecordFields& fields, WorkFile& workFile) {
  // Most callsigns are the trimmed CALLS text with a blank IGN and no blank or "//" inside: then
  // CALLS is the normalized callsign as it stands.
  std::string_view callsign = fields.calls;
  if (!IsBlankText(fields.ign) || callsign.find(' ') != std::string_view::npos ||
      callsign.find("//") != std::string_view::npos) {
    callsign_.assign(fields.calls);
    callsign_.append(fields.ign);
    NormalizeCallsignInPlace(callsign_);
    callsign = callsign_;
  }
  const CallsignSplit split = SplitCallsign(callsign, fields.calls);
  if (split.Undetermined != 0 && request_->AskUndeterminable) return false;
  dialogSuffix_.clear();
  RewriteDate(fields.date);
  // One ASCII byte: a blank is no mark, and within the UTF-8 marks an ASCII byte is found only
  // as itself.
  const char qsl3 = fields.qsl3;
  const bool notYet =
      qsl3 == ' ' || (haveMarks_ && request_->GiveUpMarks.find(qsl3) != std::string::npos);
  const std::string_view suffix = TrailingLetters(split.BaseCall);
  if (split.Undetermined != 0 || !IsCountableSuffix(suffix)) return true;
  WriteWorkLine(workFile, split.BaseCall, suffix, fields.date,
                notYet ? kNotYet : std::string_view(&fields.qsl3, 1), true);
  return true;
}

// The record last read, taken into the QSO in hand and processed again (without writing) when it
// was processed: the QSO as the straightforward pass would have left it.
void ImportRun::TakeQso() {
  if (!qsoBehind_) return;
  qsoBehind_ = false;
  database_.TakeQso();
  if (behindProcessed_) ProcessQso(nullptr);
}

void ImportRun::WriteWorkLine(WorkFile& workFile, std::string_view calls, std::string_view suffix,
                              std::string_view date, std::string_view mark, bool knownAscii) {
  // Four quoted fields. The usual all-ASCII line goes into the file's buffer as it stands; the
  // rare other one goes through the CP932 encoder first.
  const bool notYet = mark == kNotYet;
  std::string_view fields[4] = {calls, suffix, date,
                                notYet ? std::string_view(notYetBytes_) : mark};
  const int textFields = notYet ? 3 : 4;  // the "未" bytes are CP932 already
  bool ascii = true;
  for (int i = 0; i < textFields && !knownAscii; ++i) ascii = ascii && !HasNonAscii(fields[i]);
  if (!ascii) {
    for (int i = 0; i < textFields; ++i) {
      encoded_[i] = platform::EncodeCp932(fields[i]);
      fields[i] = encoded_[i];
    }
  }
  // A line break or a quote from the log would break the line for the tally: stand-ins instead.
  for (int i = 0; i < textFields; ++i) {
    if (platform::NeedsFieldStandIns(fields[i])) {
      encoded_[i] = platform::WithFieldStandIns(fields[i]);
      fields[i] = encoded_[i];
    }
  }
  // A quote at each end, "," between fields, CR LF.
  const std::size_t size =
      fields[0].size() + fields[1].size() + fields[2].size() + fields[3].size() + 13;
  char* out = workFile.Room(size);
  *out++ = '"';
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      std::memcpy(out, "\",\"", 3);
      out += 3;
    }
    std::memcpy(out, fields[i].data(), fields[i].size());
    out += fields[i].size();
  }
  std::memcpy(out, "\"\r\n", 3);
  if (workFile.Advance(size)) ++linesWritten_;
}

void ImportRun::ShowDateAndCount(std::string_view date) {
  progress_.assign(date);
  progress_ += ' ';
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, linesWritten_).ptr;
  progress_.append(digits, end);
  ui_.ShowProgress(progress_);
}

void ImportRun::FlushProgress() {
  if (!progressPending_) return;
  progressPending_ = false;
  ShowDateAndCount(progressDate_);
}

ImportOutcome ImportRun::Finish(WorkFile& workFile, ImportOutcome outcome) {
  TakeQso();
  FlushProgress();
  database_.CloseLogDatabase();
  request_ = nullptr;
  // Stopped and aborted runs keep the lines written so far, as a finished one keeps all of them.
  if (outcome == ImportOutcome::kWriteFailed || !workFile.Commit()) {
    workFile.Discard();
    ui_.ShowMessage(kCannotWrite + workFilePath_.string());
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

}  // namespace sfxtal::import
