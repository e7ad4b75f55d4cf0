#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/read_only_file.h"

namespace sfxtal::platform {

/// The whole file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

/// Replaces the file's contents with `bytes` through a temporary file in the same folder and a
/// rename, so that a failure leaves the old file whole. False when anything failed.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

/// A file rewritten whole: its new content goes to a hidden temporary file beside it (same
/// folder, so the rename stays on one file system), which is renamed over it once complete, so
/// that a failure or a full disk leaves the old file whole. A link is followed to the file it
/// names; an existing file keeps its permissions, and a read-only one, or anything that is not a
/// regular file, is not replaced.
class SiblingFile {
 public:
  explicit SiblingFile(std::filesystem::path target);
  /// Discards the temporary file unless it was committed.
  ~SiblingFile();
  SiblingFile(const SiblingFile&) = delete;
  SiblingFile& operator=(const SiblingFile&) = delete;

  /// Creates the temporary file; its descriptor (kept by this object), or -1 when the target must
  /// not or cannot be replaced.
  int Create();
  const std::string& TempPath() const { return temp_; }
  /// Writes all the bytes to the temporary file; false when they could not be.
  bool Write(std::string_view bytes);
  /// Gives the new file its permissions, syncs it when asked, closes it and renames it over the
  /// target. False when any of it failed; the temporary file is then gone.
  bool Commit(bool sync);
  /// Closes and removes the temporary file.
  void Discard();

 private:
  std::filesystem::path target_;
  std::filesystem::path resolved_;
  std::string temp_;
  int fd_ = -1;
  unsigned mode_ = 0;
};

/// Appends one line (UTF-8 in, CP932 and CR LF on disk) and flushes it at once. Creates the file.
bool AppendLine(const std::filesystem::path& path, std::string_view utf8);

/// Reads a CP932 text file line by line as UTF-8. CR LF, LF or a lone CR end a line; a last line
/// without an end is still a line.
class TextFileReader {
 public:
  TextFileReader() = default;
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  bool Open(const std::filesystem::path& path);
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
  bool IsOpen() const { return file_ != nullptr; }
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
