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
  /// its permissions, synced, closed); only then are they renamed over their targets in turn,
  /// each old target kept under a hidden name beside it until all are in place. When one cannot
  /// take its place, those before it get their old files back (or are removed where there was
  /// none) and the rest are discarded, so every target stays as it was. The index of the file
  /// that failed, or -1 when all are in place.
  static int CommitTogether(std::initializer_list<SiblingFile*> files, bool sync);

 private:
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

  bool PutInPlace();
  void PutBackOld();
  void DropOld();

  std::filesystem::path target_;
  std::filesystem::path resolved_;
  std::filesystem::path temp_;
  std::filesystem::path old_;  // where the old target waits while files are committed together
  bool hadOld_ = false;
  int fd_ = -1;
  // What the new file gets of the old one's: its permission bits, on Windows its attributes.
  unsigned mode_ = 0;
};

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
  bool afterCr_ = false;  // the last line ended in CR: an LF right after it belongs to that end
  std::string buffer_;
  std::size_t begin_ = 0;  // the unread bytes of the buffer
  std::size_t end_ = 0;
  std::size_t lf_ =
      std::string::npos;  // the first LF from begin_ on, end_ when none; npos: unknown
  std::string long_;      // a line that runs over the end of the buffer, gathered
};

/// Writes CP932 text lines with CR LF. Errors stick: Close tells whether everything reached the
/// file.
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
  bool Flush();
  /// Closes the file; true when every write and the close succeeded.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace sfxtal::platform
