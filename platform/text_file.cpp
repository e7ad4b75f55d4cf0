#include "platform/text_file.h"

#include <cstring>
#include <system_error>

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

bool SiblingFile::PutInPlace() {
  old_ = temp_;
  old_ += ".old";
  if (!KeepOld()) return false;
  if (!RenameOver(temp_, resolved_)) {
    PutBackOld();
    return false;
  }
  temp_.clear();
  return true;
}

void SiblingFile::PutBackOld() {
  std::error_code ignored;
  if (hadOld_) {
    // When the old file is still linked at the target, the rename changes nothing and the
    // remove drops the second link.
    RenameOver(old_, resolved_);
    std::filesystem::remove(old_, ignored);
  } else if (temp_.empty()) {
    std::filesystem::remove(resolved_, ignored);
  }
  hadOld_ = false;
}

void SiblingFile::DropOld() {
  std::error_code ignored;
  if (hadOld_) std::filesystem::remove(old_, ignored);
  hadOld_ = false;
}

int SiblingFile::CommitTogether(std::initializer_list<SiblingFile*> files, bool sync) {
  int index = 0;
  for (SiblingFile* file : files) {
    if (!file->Finish(sync)) {
      for (SiblingFile* other : files) other->Discard();
      return index;
    }
    ++index;
  }
  index = 0;
  for (SiblingFile* file : files) {
    if (!file->PutInPlace()) {
      for (SiblingFile* other : files) {
        if (other == file) break;
        other->PutBackOld();
      }
      for (SiblingFile* other : files) other->Discard();
      return index;
    }
    ++index;
  }
  for (SiblingFile* file : files) file->DropOld();
  return -1;
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
  file_ = OpenFileStream(path, mode == Mode::kCreate ? "wb" : "ab");
  return file_ != nullptr;
}

bool TextFileWriter::WriteBytes(std::string_view bytes) {
  if (file_ == nullptr) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  return !failed_;
}

bool TextFileWriter::WriteLine(std::string_view utf8) {
  // ASCII is its own CP932, and needs no copy.
  if (IsAscii(utf8)) {
    WriteBytes(utf8);
  } else {
    WriteBytes(EncodeCp932(utf8));
  }
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

}  // namespace sfxtal::platform
