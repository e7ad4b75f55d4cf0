#pragma once

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_text.h"
#include "platform/read_only_file.h"

namespace sfxtal::platform {

/// The whole file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
std::optional<std::string> ReadFileBytes(const NarrowText auto&) = delete;

/// Replaces the file's contents with `bytes` through a temporary file in the same folder and a
/// rename, so that a failure leaves the old file whole. False when anything failed.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);
bool ReplaceFile(const NarrowText auto&, std::string_view) = delete;

/// The file as a C stream for binary writing ("wb" creates or empties it, "ab" appends), or
/// nullptr when it cannot be opened. Whatever characters its name holds.
std::FILE* OpenFileStream(const std::filesystem::path& path, const char* mode);
std::FILE* OpenFileStream(const NarrowText auto&, const char*) = delete;

/// A file rewritten whole: its new content goes to a hidden temporary file beside it (same
/// folder, so the rename stays on one file system), which is renamed over it once complete, so
/// that a failure or a full disk leaves the old file whole. A link is followed to the file it
/// names; an existing file keeps its permissions (on Windows its attributes), and a read-only one,
/// or anything that is not a regular file, is not replaced.
class SiblingFile {
 public:
  explicit SiblingFile(std::filesystem::path target);
  explicit SiblingFile(const NarrowText auto&) = delete;
  /// Discards the temporary file unless it was committed.
  ~SiblingFile();
  SiblingFile(const SiblingFile&) = delete;
  SiblingFile& operator=(const SiblingFile&) = delete;

  /// Creates the temporary file; its C run-time descriptor (kept by this object), or -1 when the
  /// target must not or cannot be replaced.
  int Create();
  /// The temporary file's name as UTF-8 text, for a library that writes the file by its name.
  std::string TempPath() const { return Utf8FromPath(temp_); }
  /// Closes the descriptor but keeps the temporary file, for a library that opens it by its name
  /// (on Windows, a handle still open would keep it out). Commit opens it again to sync it.
  void ReleaseDescriptor();
  /// Writes all the bytes to the temporary file; false when they could not be.
  bool Write(std::string_view bytes);
  /// Gives the new file its permissions, syncs it when asked, closes it and renames it over the
  /// target. False when any of it failed; the temporary file is then gone.
  bool Commit(bool sync);
  /// Closes and removes the temporary file.
  void Discard();

  /// Commits files that must never disagree as one: every file is first made complete (given
  /// its permissions, synced, closed); then a journal beside the first target names them all,
  /// and only then are they renamed over their targets in turn, each old target kept under a
  /// hidden name beside it until all are in place. When one cannot take its place, the journal
  /// turns to undoing: those before it get their old files back (or are removed where there was
  /// none) and the rest are discarded, so every target stays as it was. Should the program end
  /// on the way (a kill, a power cut), RecoverReplacements finishes or undoes the commit from
  /// the journal. The index of the file that failed, or -1 when all are in place.
  static int CommitTogether(std::initializer_list<SiblingFile*> files, bool sync);

  /// For tests of an ending at any instant: the commit steps (each file's completion, the
  /// journal's making and placing, each file's keeping of its old file and its rename, each old
  /// file's removal, the journal's removal, and on the way back each file put back) are counted
  /// from 1, and at step `step` CommitTogether stops dead as a kill would stop it, leaving every
  /// file where it lies; it then returns 0. 0 counts nothing. The steps reached since the last
  /// call are returned, so a test can go through every step until a commit runs to its end.
  static int StopAtStepForTesting(int step);

  /// The system's halves: this process's number, and whether a process of that number runs.
  static unsigned long ThisProcess();
  static bool ProcessRuns(unsigned long process);

 private:
  friend void RecoverReplacements(const std::filesystem::path& folder,
                                  std::initializer_list<std::string_view> names);

  static std::filesystem::path FollowLinks(std::filesystem::path path);
  // The system's halves.
  void CloseDescriptor();
  /// One write of the system's to the temporary file: the number of bytes written, or -1.
  std::int64_t WriteOnce(const char* data, std::size_t size);
  /// Gives the temporary file its permissions, syncs it when asked and closes it; on failure it
  /// is discarded.
  bool Finish(bool sync);
  /// Keeps the target's present file under `old_`, as a second link where the file system has
  /// links, else renamed aside. False when something other than a file stands at the target.
  bool KeepOld();
  /// Renames `from` over `to`, replacing it.
  static bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

  void DropOld();
  /// Forgets the temporary and old files without touching them, as a program that ends does.
  void Abandon();
  /// Beside the file the target names: "." + its name + "." + this process's number, the start
  /// of every hidden file made for it, by which RecoverReplacements knows them and their maker.
  std::filesystem::path HiddenStem() const;

  std::filesystem::path target_;
  std::filesystem::path resolved_;
  std::filesystem::path temp_;
  std::filesystem::path old_;  // where the old target waits while files are committed together
  bool hadOld_ = false;        // the old target is kept at old_
  int fd_ = -1;
  // What the new file gets of the old one's: its permission bits, on Windows its attributes.
  unsigned mode_ = 0;
};

/// Makes the replacements of files named `names` (UTF-8) in `folder` whole after a program that
/// ended in the middle of them: a commit of files together that its journal says was under way
/// is finished (all new files were complete) or, where it was being undone, undone, so those
/// files are all new or all old; then the hidden temporary, old and journal files that a program
/// no longer running left beside those names are removed. Those of a program still running are
/// left to it. Quiet: what cannot be done now is left for the next time.
void RecoverReplacements(const std::filesystem::path& folder,
                         std::initializer_list<std::string_view> names);
void RecoverReplacements(const NarrowText auto&, std::initializer_list<std::string_view>) = delete;

/// Appends one line (UTF-8 in, CP932 and CR LF on disk) and flushes it at once. Creates the file.
bool AppendLine(const std::filesystem::path& path, std::string_view utf8);
bool AppendLine(const NarrowText auto&, std::string_view) = delete;

/// Reads a CP932 text file line by line as UTF-8. CR LF, LF or a lone CR end a line; a last line
/// without an end is still a line.
class TextFileReader {
 public:
  TextFileReader() = default;
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  bool Open(const std::filesystem::path& path);
  bool Open(const NarrowText auto&) = delete;
  /// False at the end of the file (or on a read error, see Failed).
  bool ReadLine(std::string& utf8);
  /// The next line's bytes as they are (CP932), without its end.
  bool ReadLineBytes(std::string& bytes);
  /// The same, keeping at most `limit` bytes of the line; the rest of it is read past, so an
  /// endless line costs no memory. LineCut tells whether the line was longer.
  bool ReadLineBytes(std::string& bytes, std::size_t limit);
  /// The same as a view into the reader, valid until the next read: a line that lies within one
  /// buffer's worth of the file is not copied. At most `limit` bytes of it are kept, as above.
  bool ReadLineView(std::string_view& bytes, std::size_t limit = std::string_view::npos);
  bool LineCut() const { return lineCut_; }
  /// False when the line just read is a last one that the end of the file cut off before its
  /// line end (as a writer that was stopped dead leaves it).
  bool LineEnded() const { return lineEnded_; }
  /// The next byte (0-255), or -1 at the end of the file or on a read error.
  int ReadByte() {
    if (begin_ < end_ && !afterCr_) return static_cast<unsigned char>(buffer_[begin_++]);
    return ReadByteFromNextBuffer();
  }
  bool Failed() const { return failed_; }
  bool IsOpen() const { return file_.IsOpen(); }
  void Close();

 private:
  bool Fill();
  int ReadByteFromNextBuffer();

  ReadOnlyFile file_;
  bool failed_ = false;
  bool lineCut_ = false;
  bool lineEnded_ = true;
  bool afterCr_ = false;  // the last line ended in CR: an LF right after it belongs to that end
  std::string buffer_;
  std::size_t begin_ = 0;  // the unread bytes of the buffer
  std::size_t end_ = 0;
  std::size_t lf_ =
      std::string::npos;  // the first LF from begin_ on, end_ when none; npos: unknown
  std::string long_;      // a line that runs over the end of the buffer, gathered
};

/// Writes CP932 text lines with CR LF. Lines are gathered and go to the file whole: each write
/// to the file ends at a line end, so a reader (or a program that ends at any instant) never
/// finds half a line there; only Close writes out what was given without a line end. Errors
/// stick: Close tells whether everything reached the file.
class TextFileWriter {
 public:
  enum class Mode { kCreate, kAppend };

  TextFileWriter() = default;
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  bool Open(const std::filesystem::path& path, Mode mode);
  bool Open(const NarrowText auto&, Mode) = delete;
  bool IsOpen() const { return file_ != nullptr; }
  /// True once a write or a flush has failed.
  bool Failed() const { return failed_; }
  bool WriteLine(std::string_view utf8);
  /// Bytes written as they are (already CP932), no line end added.
  bool WriteBytes(std::string_view bytes);
  /// Writes out every whole line given so far.
  bool Flush();
  /// Writes out the rest and closes the file; true when every write and the close succeeded.
  bool Close();

 private:
  /// Writes the gathered bytes up to their last line end (all of them when `all`).
  void WriteGathered(bool all);
  /// The system's half: the bytes to the stream's file with one system write (more only when
  /// the system takes fewer), past the stream's own buffer. False when they could not be.
  static bool WriteThrough(std::FILE* file, std::string_view bytes);

  std::FILE* file_ = nullptr;
  bool failed_ = false;
  std::string gathered_;
};

}  // namespace sfxtal::platform
