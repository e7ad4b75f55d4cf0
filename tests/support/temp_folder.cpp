#include "tests/support/temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace sfxtal::test_support {

TempFolder::TempFolder() {
  // A name nobody has taken: create_directory fails for one that exists.
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / platform::PathFromUtf8("sfxtal-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests may leave the folder read-only on purpose; make it removable again.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + platform::Utf8FromPath(path));
}

std::string CompleteResultsFile(const std::map<int, std::string>& lines) {
  std::string bytes;
  int row = 0;
  for (int letters = 1; letters <= 3; ++letters) {
    const int count = letters == 1 ? 26 : letters == 2 ? 26 * 26 : 26 * 26 * 26;
    for (int n = 0; n < count; ++n, ++row) {
      std::string suffix;
      for (int k = 0, rest = n; k < letters; ++k, rest /= 26) {
        suffix.insert(suffix.begin(), static_cast<char>('A' + rest % 26));
      }
      const auto line = lines.find(row);
      bytes += line != lines.end() ? line->second : "\"" + suffix + "\",\"\",\"\",\"\"";
      bytes += "\r\n";
    }
  }
  return bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace sfxtal::test_support

// A read-only folder and a full disk are made with the system's own means. A Windows program
// under Wine has none, so there they stay inactive, and the test that asked is skipped with why.
#ifdef _WIN32

#include <gtest/gtest.h>

namespace sfxtal::test_support {
namespace {

void SkipBecause(const char* why) {
  GTEST_SKIP() << why;
}

}  // namespace

ReadOnlyFolder::ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
  SkipBecause(
      "Wine runs as root, whom Unix permissions do not stop, and does not enforce Windows' own; "
      "tests/windows/compare_cli.py runs sfxtal-cli.exe in a read-only folder made from Linux");
}
ReadOnlyFolder::~ReadOnlyFolder() = default;
TinyDisk::TinyDisk(std::size_t) {
  SkipBecause(
      "a Windows program cannot mount a small disk to fill; tests/windows/compare_cli.py runs "
      "sfxtal-cli.exe on one mounted from Linux");
}
TinyDisk::~TinyDisk() = default;

}  // namespace sfxtal::test_support

#else

#include <sys/mount.h>
#include <unistd.h>

namespace sfxtal::test_support {

ReadOnlyFolder::ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
  if (::geteuid() != 0) {
    std::error_code error;
    std::filesystem::permissions(
        folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec,
        std::filesystem::perm_options::replace, error);
    if (!error) how_ = How::kPermissions;
    return;
  }
  if (::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) != 0) return;
  if (::mount(nullptr, folder_.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
    ::umount2(folder_.c_str(), MNT_DETACH);
    return;
  }
  how_ = How::kMount;
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (how_ == How::kMount) ::umount2(folder_.c_str(), MNT_DETACH);
  if (how_ == How::kPermissions) {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
}

TinyDisk::TinyDisk(std::size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes);
  mounted_ = ::mount("sfxtal-test", folder_.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

TinyDisk::~TinyDisk() {
  if (mounted_) ::umount2(folder_.Path().c_str(), MNT_DETACH);
}

}  // namespace sfxtal::test_support

#endif
