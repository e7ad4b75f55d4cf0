#include "app/text_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "app/file_exists.h"
#include "app/text_codec.h"

namespace sfxtal::app {

namespace {

std::FILE* OpenStreamForReading(const std::filesystem::path& path) {
  const int fd = OpenFileForReading(path);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) ::close(fd);
  return file;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::FILE* file = OpenStreamForReading(path);
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

int CreateSiblingTemp(const std::filesystem::path& path, std::string& tempPath) {
  std::string name = ".";
  name += path.filename().string();
  name += ".XXXXXX";
  tempPath = (path.parent_path() / name).string();
  const int fd = ::mkstemp(tempPath.data());
  if (fd < 0) tempPath.clear();
  return fd;
}

bool FinishSiblingTemp(int fd, bool sync) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
  if (sync) ok = ::fsync(fd) == 0 && ok;
  return ::close(fd) == 0 && ok;
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  std::string temp;
  const int fd = CreateSiblingTemp(path, temp);
  if (fd < 0) return false;
  bool ok = true;
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (ok && left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written <= 0) {
      ok = false;
    } else {
      data += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  ok = FinishSiblingTemp(fd, ok) && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
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
  file_ = OpenStreamForReading(path);
  return file_ != nullptr;
}

void TextFileReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool TextFileReader::ReadLineBytes(std::string& bytes) {
  bytes.clear();
  if (file_ == nullptr) return false;
  int c;
  bool any = false;
  while ((c = getc_unlocked(file_)) != EOF) {
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      const int next = getc_unlocked(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      return true;
    }
    bytes += static_cast<char>(c);
  }
  if (std::ferror(file_)) failed_ = true;
  return any;
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
  file_ = std::fopen(path.c_str(), mode == Mode::kCreate ? "wb" : "ab");
  return file_ != nullptr;
}

bool TextFileWriter::WriteBytes(std::string_view bytes) {
  if (file_ == nullptr) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  return !failed_;
}

bool TextFileWriter::WriteLine(std::string_view utf8) {
  WriteBytes(EncodeCp932(utf8));
  return WriteBytes("\r\n");
}

bool TextFileWriter::Flush() {
  if (file_ == nullptr) return false;
  if (std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

bool TextFileWriter::Close() {
  if (file_ == nullptr) return !failed_;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

}  // namespace sfxtal::app
