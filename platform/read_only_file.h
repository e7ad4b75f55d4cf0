#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "platform/path_text.h"

namespace sfxtal::platform {

/// A regular file opened for shared reading: whoever else has it open (the logging program, even
/// for writing) keeps it, and nothing is locked. Folders, pipes and devices are refused, so that
/// a pipe in a file's place cannot hang the program.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  /// False when the path names no regular file that can be read.
  bool Open(const std::filesystem::path& path);
  bool Open(const NarrowText auto&) = delete;
  bool IsOpen() const { return handle_ != kClosed; }
  /// The file's size in bytes now, or -1 when it cannot be told.
  std::int64_t Size() const;
  /// Up to `size` bytes from where the last Read ended: the number read, 0 at the end of the file,
  /// -1 on a read error.
  std::int64_t Read(void* buffer, std::size_t size);
  /// Up to `size` bytes at `offset`, whatever Read has done: the number read, fewer only at the
  /// end of the file or on a read error.
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t size);
  void Close();

 private:
  // A descriptor or a handle, as the system has it.
  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;
  // One read of the system's at an absolute offset: the number of bytes read, 0 at the end of the
  // file, -1 on an error.
  std::int64_t ReadOnceAt(std::int64_t offset, void* buffer, std::size_t size);

  // Where Read goes on: every read is at an offset, which on some systems moves the file's own
  // position, so the reader keeps its own.
  std::int64_t position_ = 0;
};

}  // namespace sfxtal::platform
