#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "platform/path_text.h"

namespace sfxtal::test_support {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  /// A path in the folder; the name is UTF-8.
  std::filesystem::path operator/(std::string_view name) const {
    return path_ / platform::PathFromUtf8(name);
  }

 private:
  std::filesystem::path path_;
};

/// Writes bytes to a file, replacing it.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
/// The file's bytes ("" when it cannot be read).
std::string ReadBytes(const std::filesystem::path& path);

/// A results file as the tally writes it, every suffix in order with CR LF: the line given for a
/// row (its four fields, CP932), else the suffix and three empty fields.
std::string CompleteResultsFile(const std::map<int, std::string>& lines = {});

}  // namespace sfxtal::test_support

namespace sfxtal::test_support {

/// Makes a folder unwritable for as long as it lives, also for root (a read-only bind mount,
/// since root writes through permission bits). Active() is false when neither way works; the test
/// should then skip.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
  bool Active() const { return how_ != How::kNone; }

 private:
  enum class How { kNone, kPermissions, kMount };
  std::filesystem::path folder_;
  How how_ = How::kNone;
};

/// A folder on a tiny file system of its own (a tmpfs of `bytes`), to fill up; needs root.
/// Active() is false when it cannot be mounted.
class TinyDisk {
 public:
  explicit TinyDisk(std::size_t bytes);
  ~TinyDisk();
  TinyDisk(const TinyDisk&) = delete;
  TinyDisk& operator=(const TinyDisk&) = delete;
  bool Active() const { return mounted_; }
  const std::filesystem::path& Path() const { return folder_.Path(); }
  std::filesystem::path operator/(std::string_view name) const { return folder_ / name; }

 private:
  TempFolder folder_;
  bool mounted_ = false;
};

}  // namespace sfxtal::test_support
