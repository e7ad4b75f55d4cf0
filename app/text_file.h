#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sfxtal::app {

/// The whole file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

/// Replaces the file's contents with `bytes` through a temporary file in the same folder and a
/// rename, so that a failure leaves the old file whole. False when anything failed.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

/// A new empty file under a hidden temporary name beside `path` (same folder, so that a rename
/// over `path` stays on one file system). Returns its open descriptor and sets `tempPath`, or -1.
int CreateSiblingTemp(const std::filesystem::path& path, std::string& tempPath);

/// Gives a file written through CreateSiblingTemp the permissions of any new file (not the
/// temporary file's private 0600), optionally syncs it, and closes it. False when any step failed.
bool FinishSiblingTemp(int fd, bool sync);

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
  bool Failed() const { return failed_; }
  void Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
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

}  // namespace sfxtal::app
