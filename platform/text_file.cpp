#include "platform/text_file.h"

// GCC 12 takes std::regex's inlined std::function for uninitialised in the sanitizer tree's -O1
// build (GCC bug 105562). The warning is placed in the library's headers, so it is turned off
// before they are included, for this file only.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <algorithm>
#include <cstring>
#include <regex>
#include <system_error>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/read_only_file.h"
#include "platform/text_codec.h"

namespace sfxtal::platform {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  ReadOnlyFile file;
  if (!file.Open(path)) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::int64_t n;
  while ((n = file.Read(buffer, sizeof buffer)) > 0)
    bytes.append(buffer, static_cast<std::size_t>(n));
  if (n < 0) return std::nullopt;
  return bytes;
}

// The file a path finally names, through any links to it (a link to a link included).
std::filesystem::path SiblingFile::FollowLinks(std::filesystem::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) break;
    const std::filesystem::path link = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

SiblingFile::SiblingFile(std::filesystem::path target) : target_(std::move(target)) {}

SiblingFile::~SiblingFile() {
  Discard();
}

void SiblingFile::ReleaseDescriptor() {
  CloseDescriptor();
}

void SiblingFile::Discard() {
  CloseDescriptor();
  std::error_code ignored;
  if (!temp_.empty()) std::filesystem::remove(temp_, ignored);
  temp_.clear();
}

bool SiblingFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const std::int64_t written = WriteOnce(data, left);
    if (written <= 0) return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

bool SiblingFile::Commit(bool sync) {
  if (!Finish(sync)) return false;
  if (!RenameOver(temp_, resolved_)) {
    Discard();
    return false;
  }
  temp_.clear();
  return true;
}

namespace {

// The commit steps counted for StopAtStepForTesting.
int stopAtStep = 0;
int stepsReached = 0;

bool StopHere() {
  ++stepsReached;
  return stopAtStep != 0 && stepsReached == stopAtStep;
}

constexpr std::string_view kForward = "forward";
constexpr std::string_view kBack = "back";

// What undoing a commit does to one file's target.
enum class Undoing {
  kUnknown,   // not yet known (a journal going forward)
  kOld,       // the old file, kept at `old` while it is there, goes back
  kNone,      // there was no file: the new one goes
  kUnplaced,  // the new file never took the target's place: the target stays as it is
};
constexpr std::string_view kUndoingWords[] = {"?", "old", "none", "unplaced"};

// One file of a commit as its journal names it.
struct JournalEntry {
  std::filesystem::path target;
  std::filesystem::path temp;
  std::filesystem::path old;
  Undoing undoing = Undoing::kUnknown;
};

using RenameFunction = bool (*)(const std::filesystem::path&, const std::filesystem::path&);

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// Undoes one file: as the journal says, and only once however often it is done again.
void Undo(const JournalEntry& entry, RenameFunction renameOver) {
  std::error_code ignored;
  if (entry.undoing == Undoing::kOld && Exists(entry.old)) {
    // When the old file is still linked at the target, the rename changes nothing and the
    // remove drops the second link.
    renameOver(entry.old, entry.target);
    std::filesystem::remove(entry.old, ignored);
  } else if (entry.undoing == Undoing::kNone) {
    std::filesystem::remove(entry.target, ignored);
  }
  std::filesystem::remove(entry.temp, ignored);
}

std::string JournalText(std::string_view direction, const std::vector<JournalEntry>& entries) {
  std::string text(direction);
  text += '\n';
  for (const JournalEntry& entry : entries) {
    for (const std::filesystem::path* path : {&entry.target, &entry.temp, &entry.old}) {
      text += Utf8FromPath(*path);
      text += '\n';
    }
    text += kUndoingWords[static_cast<int>(entry.undoing)];
    text += '\n';
  }
  return text;
}

// A journal's direction and files; false when it is not one (a hidden file for the target, only
// its temporary and old files named for it, are ever touched).
bool ParseJournal(std::string_view text, bool& forward, std::vector<JournalEntry>& entries) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return false;
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (lines.empty() || (lines[0] != kForward && lines[0] != kBack) || lines.size() % 4 != 1) {
    return false;
  }
  forward = lines[0] == kForward;
  for (std::size_t i = 1; i < lines.size(); i += 4) {
    JournalEntry entry{PathFromUtf8(lines[i]), PathFromUtf8(lines[i + 1]),
                       PathFromUtf8(lines[i + 2])};
    const auto word = std::find(std::begin(kUndoingWords), std::end(kUndoingWords), lines[i + 3]);
    if (word == std::end(kUndoingWords)) return false;
    entry.undoing = static_cast<Undoing>(word - std::begin(kUndoingWords));
    const std::string stem = "." + Utf8FromPath(entry.target.filename()) + ".";
    if (entry.target.filename().empty() || entry.temp.parent_path() != entry.target.parent_path() ||
        entry.old.parent_path() != entry.target.parent_path() ||
        !Utf8FromPath(entry.temp.filename()).starts_with(stem) ||
        !Utf8FromPath(entry.old.filename()).starts_with(stem)) {
      return false;
    }
    entries.push_back(std::move(entry));
  }
  return true;
}

// Goes on with a commit whose journal went forward: every new file still under its temporary
// name takes its place (its old file kept first, as the commit keeps it), then the old files go.
// Should one not take its place, the journal turns back and all are undone. False when the
// journal could not be carried out and stays for the next time.
bool FinishCommit(const std::filesystem::path& journal, std::vector<JournalEntry>& entries,
                  RenameFunction renameOver) {
  std::error_code error;
  bool failed = false;
  for (JournalEntry& entry : entries) {
    if (!Exists(entry.temp)) {
      // Put in place before the program ended.
      entry.undoing = Exists(entry.old) ? Undoing::kOld : Undoing::kNone;
      continue;
    }
    if (failed || Exists(entry.old)) {
      entry.undoing = Exists(entry.old) ? Undoing::kOld : Undoing::kUnplaced;
      if (failed) continue;
    } else if (!Exists(entry.target)) {
      entry.undoing = Undoing::kNone;
    } else {
      // Only a file is kept aside: whatever else has come to stand in its place stays.
      if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(entry.target, error))) {
        entry.undoing = Undoing::kUnplaced;
        failed = true;
        continue;
      }
      std::filesystem::create_hard_link(entry.target, entry.old, error);
      if (error && !renameOver(entry.target, entry.old)) {
        entry.undoing = Undoing::kUnplaced;
        failed = true;
        continue;
      }
      entry.undoing = Undoing::kOld;
    }
    if (!renameOver(entry.temp, entry.target)) {
      if (entry.undoing == Undoing::kNone) entry.undoing = Undoing::kUnplaced;
      failed = true;
    }
  }
  if (failed) {
    if (!ReplaceFile(journal, JournalText(kBack, entries))) return false;
    for (const JournalEntry& entry : entries) Undo(entry, renameOver);
  } else {
    for (const JournalEntry& entry : entries) std::filesystem::remove(entry.old, error);
  }
  std::filesystem::remove(journal, error);
  return true;
}

}  // namespace

std::filesystem::path SiblingFile::HiddenStem() const {
  std::filesystem::path name = PathFromUtf8(".");
  name += resolved_.filename();
  name += PathFromUtf8("." + std::to_string(ThisProcess()));
  return resolved_.parent_path() / name;
}

void SiblingFile::Abandon() {
  CloseDescriptor();
  temp_.clear();
  hadOld_ = false;
}

int SiblingFile::StopAtStepForTesting(int step) {
  const int reached = stepsReached;
  stepsReached = 0;
  stopAtStep = step;
  return reached;
}

void SiblingFile::DropOld() {
  std::error_code ignored;
  if (hadOld_) std::filesystem::remove(old_, ignored);
  hadOld_ = false;
}

int SiblingFile::CommitTogether(std::initializer_list<SiblingFile*> files, bool sync) {
  // Stopped dead, as by a kill: every file stays where it lies, for the next run to mend.
  const auto stopDead = [&files] {
    for (SiblingFile* file : files) file->Abandon();
    return 0;
  };
  const auto discardAll = [&files] {
    for (SiblingFile* file : files) file->Discard();
  };
  int index = 0;
  for (SiblingFile* file : files) {
    if (!file->Finish(sync)) {
      discardAll();
      return index;
    }
    if (StopHere()) return stopDead();
    ++index;
  }
  // Every new file is whole: from the journal on, a run that finds it can finish the commit.
  std::vector<JournalEntry> entries;
  for (SiblingFile* file : files) {
    file->old_ = file->temp_;
    file->old_ += ".old";
    entries.push_back({file->resolved_, file->temp_, file->old_});
  }
  const SiblingFile& first = **files.begin();
  std::filesystem::path journalName = PathFromUtf8(".");
  journalName += first.target_.filename();
  journalName += PathFromUtf8("." + std::to_string(ThisProcess()) + ".commit");
  const std::filesystem::path journalPath = first.target_.parent_path() / journalName;
  // False when the journal could not be written, or the test's stop came while it was written.
  bool stoppedInJournal = false;
  const auto writeJournal = [&](std::string_view direction) {
    SiblingFile journal(journalPath);
    if (journal.Create() < 0 || !journal.Write(JournalText(direction, entries))) return false;
    if (StopHere()) {
      journal.Abandon();
      stoppedInJournal = true;
      return false;
    }
    return journal.Commit(sync);
  };
  if (!writeJournal(kForward)) {
    if (stoppedInJournal) return stopDead();
    discardAll();
    return 0;
  }
  if (StopHere()) return stopDead();
  std::error_code ignored;
  index = 0;
  for (SiblingFile* file : files) {
    JournalEntry& entry = entries[static_cast<std::size_t>(index)];
    const bool kept = file->KeepOld();
    if (kept && StopHere()) return stopDead();
    if (!kept || !RenameOver(file->temp_, file->resolved_)) {
      // Back to the old files, the journal first saying how each one goes back.
      for (std::size_t i = 0; i < entries.size(); ++i) {
        const SiblingFile& other = **(files.begin() + i);
        const bool placed = static_cast<int>(i) < index;
        entries[i].undoing = other.hadOld_ ? Undoing::kOld
                             : placed      ? Undoing::kNone
                                           : Undoing::kUnplaced;
      }
      if (!writeJournal(kBack) && stoppedInJournal) return stopDead();
      if (StopHere()) return stopDead();
      for (const JournalEntry& each : entries) {
        Undo(each, &RenameOver);
        if (StopHere()) return stopDead();
      }
      for (SiblingFile* other : files) other->Abandon();
      std::filesystem::remove(journalPath, ignored);
      return index;
    }
    entry.undoing = file->hadOld_ ? Undoing::kOld : Undoing::kNone;
    file->temp_.clear();
    if (StopHere()) return stopDead();
    ++index;
  }
  for (SiblingFile* file : files) {
    file->DropOld();
    if (StopHere()) return stopDead();
  }
  std::filesystem::remove(journalPath, ignored);
  return -1;
}

void RecoverReplacements(const std::filesystem::path& folder,
                         std::initializer_list<std::string_view> names) {
  std::vector<std::filesystem::path> journals;
  std::vector<std::filesystem::path> leftovers;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = Utf8FromPath(item.path().filename());
    for (std::string_view target : names) {
      // A file's own hidden files start "." + its name + "."; a journal's, one dot more.
      std::string_view rest = name;
      if (rest.starts_with("..")) rest.remove_prefix(1);
      const std::string stem = "." + std::string(target) + ".";
      if (!rest.starts_with(stem)) continue;
      rest.remove_prefix(stem.size());
      // Only the names the program gives: [PROCESS.]RANDOM[.old] (RANDOM six characters of
      // mkstemp's, or up to six digits on Windows; older names carry no process), a journal
      // PROCESS.commit, and a journal's own temporary.
      static const std::regex kOwnName(
          R"(((\d+)\.)?([A-Za-z0-9]{6}|\d{1,6})(\.old)?|(\d+)\.commit(\.\d+\.([A-Za-z0-9]{6}|\d{1,6}))?)");
      std::match_results<std::string_view::const_iterator> match;
      if (!std::regex_match(rest.begin(), rest.end(), match, kOwnName)) break;
      // Made by a program still at work: not ours to touch.
      const std::string maker = match[2].matched ? match[2].str() : match[5].str();
      if (!maker.empty() && maker.size() < 10) {
        const unsigned long process = std::stoul(maker);
        if (process != SiblingFile::ThisProcess() && SiblingFile::ProcessRuns(process)) break;
      }
      const bool journal = name[1] != '.' && name.ends_with(".commit");
      (journal ? journals : leftovers).push_back(item.path());
      break;
    }
  }
  bool carriedOut = true;
  for (const std::filesystem::path& journal : journals) {
    bool forward = false;
    std::vector<JournalEntry> entries;
    const std::optional<std::string> text = ReadFileBytes(journal);
    if (!text || !ParseJournal(*text, forward, entries)) continue;
    if (forward) {
      carriedOut = FinishCommit(journal, entries, &SiblingFile::RenameOver) && carriedOut;
    } else {
      for (const JournalEntry& entry : entries) Undo(entry, &SiblingFile::RenameOver);
      std::filesystem::remove(journal, error);
    }
  }
  // A journal that could not be carried out keeps the files it needs for the next time.
  if (!carriedOut) return;
  for (const std::filesystem::path& leftover : leftovers) std::filesystem::remove(leftover, error);
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  SiblingFile file(path);
  return file.Create() >= 0 && file.Write(bytes) && file.Commit(true);
}

bool AppendLine(const std::filesystem::path& path, std::string_view utf8) {
  TextFileWriter writer;
  if (!writer.Open(path, TextFileWriter::Mode::kAppend)) return false;
  writer.WriteLine(utf8);
  return writer.Close();
}

TextFileReader::~TextFileReader() {
  Close();
}

bool TextFileReader::Open(const std::filesystem::path& path) {
  Close();
  failed_ = false;
  return file_.Open(path);
}

void TextFileReader::Close() {
  file_.Close();
  afterCr_ = false;
  lineCut_ = false;
  begin_ = end_ = 0;
  lf_ = std::string::npos;
}

// The next bytes of the file into the buffer, which must be used up; false at the end of the
// file or on a read error.
bool TextFileReader::Fill() {
  constexpr std::size_t kBufferSize = 64 * 1024;
  if (!file_.IsOpen() || failed_) return false;
  buffer_.resize(kBufferSize);
  const std::int64_t n = file_.Read(buffer_.data(), buffer_.size());
  if (n < 0) failed_ = true;
  begin_ = 0;
  end_ = n > 0 ? static_cast<std::size_t>(n) : 0;
  lf_ = std::string::npos;
  return end_ > 0;
}

bool TextFileReader::ReadLineView(std::string_view& bytes, std::size_t limit) {
  // Lines are found with memchr rather than byte by byte: the tally reads a million of them. The
  // place of the next LF is kept, so a file of lone CRs is not searched again for every line.
  // What lies past `limit` is read past and never gathered, so the memory stays within the
  // buffer and the limit however long the line.
  bool gathering = false;
  lineCut_ = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      // The end of the file (or a read error, which ends it too) ends a last line without an end.
      afterCr_ = false;
      lineEnded_ = !gathering;
      bytes = long_;
      return gathering;
    }
    if (afterCr_) {
      afterCr_ = false;
      if (buffer_[begin_] == '\n' && ++begin_ == end_) continue;
    }
    const char* data = buffer_.data();
    if (lf_ == std::string::npos || lf_ < begin_) {
      const void* lf = std::memchr(data + begin_, '\n', end_ - begin_);
      lf_ = lf == nullptr ? end_ : static_cast<std::size_t>(static_cast<const char*>(lf) - data);
    }
    const void* cr = std::memchr(data + begin_, '\r', lf_ - begin_);
    const std::size_t stop =
        cr == nullptr ? lf_ : static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    std::string_view piece(data + begin_, stop - begin_);
    const std::size_t kept = gathering ? long_.size() : 0;
    if (piece.size() > limit - kept) {
      piece = piece.substr(0, limit - kept);
      lineCut_ = true;
    }
    if (stop == end_) {
      // The line goes on in the next buffer.
      if (!gathering) long_.clear();
      long_.append(piece);
      gathering = true;
      begin_ = end_;
      continue;
    }
    afterCr_ = data[stop] == '\r';
    lineEnded_ = true;
    begin_ = stop + 1;
    if (gathering) {
      long_.append(piece);
      bytes = long_;
    } else {
      bytes = piece;
    }
    return true;
  }
}

bool TextFileReader::ReadLineBytes(std::string& bytes) {
  return ReadLineBytes(bytes, std::string_view::npos);
}

bool TextFileReader::ReadLineBytes(std::string& bytes, std::size_t limit) {
  std::string_view line;
  if (!ReadLineView(line, limit)) {
    bytes.clear();
    return false;
  }
  bytes.assign(line);
  return true;
}

int TextFileReader::ReadByteFromNextBuffer() {
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      afterCr_ = false;
      return -1;
    }
    // An LF right after a line read that ended in CR belongs to that line's end.
    if (afterCr_) {
      afterCr_ = false;
      if (buffer_[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    return static_cast<unsigned char>(buffer_[begin_++]);
  }
}

bool TextFileReader::ReadLine(std::string& utf8) {
  std::string bytes;
  if (!ReadLineBytes(bytes)) {
    utf8.clear();
    return false;
  }
  utf8 = DecodeCp932(bytes);
  return true;
}

TextFileWriter::~TextFileWriter() {
  Close();
}

bool TextFileWriter::Open(const std::filesystem::path& path, Mode mode) {
  Close();
  failed_ = false;
  gathered_.clear();
  file_ = OpenFileStream(path, mode == Mode::kCreate ? "wb" : "ab");
  return file_ != nullptr;
}

void TextFileWriter::WriteGathered(bool all) {
  const std::size_t lineEnd = gathered_.rfind('\n');
  const std::size_t size = all ? gathered_.size() : lineEnd == std::string::npos ? 0 : lineEnd + 1;
  if (size == 0) return;
  if (!failed_ && !WriteThrough(file_, std::string_view(gathered_).substr(0, size))) {
    failed_ = true;
  }
  gathered_.erase(0, size);
}

bool TextFileWriter::WriteBytes(std::string_view bytes) {
  // Enough lines to make a write worth its call, few enough to stay small.
  constexpr std::size_t kWriteSize = 64 * 1024;
  if (file_ == nullptr) return false;
  gathered_.append(bytes);
  if (gathered_.size() >= kWriteSize) WriteGathered(false);
  return !failed_;
}

bool TextFileWriter::WriteLine(std::string_view utf8) {
  if (file_ == nullptr) return false;
  // ASCII is its own CP932, and needs no copy.
  if (IsAscii(utf8)) {
    gathered_.append(utf8);
  } else {
    gathered_.append(EncodeCp932(utf8));
  }
  return WriteBytes("\r\n");
}

bool TextFileWriter::Flush() {
  if (file_ == nullptr) return false;
  WriteGathered(false);
  return !failed_;
}

bool TextFileWriter::Close() {
  if (file_ == nullptr) return !failed_;
  WriteGathered(true);
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

}  // namespace sfxtal::platform
