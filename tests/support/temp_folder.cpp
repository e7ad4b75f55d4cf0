#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sfxtal::test_support {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sfxtal-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
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
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace sfxtal::test_support

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
