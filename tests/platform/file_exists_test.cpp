#include "platform/file_exists.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/text_file.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::platform {
namespace {

using test_support::TempFolder;
using test_support::WriteBytes;

TEST(FileExists, OnlyReadableFilesExist) {
  TempFolder folder;
  WriteBytes(folder / "Tevrak.TDB", "x");
  EXPECT_TRUE(FileExists(folder / "Tevrak.TDB"));
#ifndef _WIN32
  EXPECT_FALSE(FileExists(folder / "tevrak.tdb"));  // exact names are exact (Windows' are not)
#endif
  EXPECT_FALSE(FileExists(folder / "missing"));
  EXPECT_FALSE(FileExists(folder.Path()));  // a folder is not a file
  EXPECT_FALSE(FileExists(std::filesystem::path()));
}

TEST(FileExists, APipeOrADeviceIsNoFileAndDoesNotHang) {
  TempFolder folder;
#ifdef _WIN32
  // Windows finds its devices under these names in every folder, with any extension.
  for (const char* device : {"NUL", "CON", "con.TDB", "COM1"}) {
    EXPECT_FALSE(FileExists(folder / device)) << device;
  }
#else
  ASSERT_EQ(::mkfifo((folder / "実績.txt").c_str(), 0600), 0);
  EXPECT_FALSE(FileExists(folder / "実績.txt"));
  EXPECT_FALSE(ReadFileBytes(folder / "実績.txt"));
  TextFileReader reader;
  EXPECT_FALSE(reader.Open(folder / "実績.txt"));
  EXPECT_FALSE(FileExists(std::filesystem::path("/dev/zero")));
#endif
}

TEST(FindFormedFile, MatchesRegardlessOfLetterCaseInItsFolder) {
  TempFolder folder;
  WriteBytes(folder / "Tevrak.TDB", "x");
  WriteBytes(folder / "NEBU.XLS", "x");
  std::filesystem::create_directory(folder / "log.tdb");

  // The file that is there (on Windows also under the name asked for).
  using std::filesystem::equivalent;
  EXPECT_TRUE(equivalent(FindFormedFile(folder / "Tevrak.TDB").value(), folder / "Tevrak.TDB"));
  EXPECT_TRUE(equivalent(FindFormedFile(folder / "Tevrak.tdb").value(), folder / "Tevrak.TDB"));
  EXPECT_TRUE(equivalent(FindFormedFile(folder / "nebu.xls").value(), folder / "NEBU.XLS"));
  EXPECT_FALSE(FindFormedFile(folder / "nebu.xlsx"));
  EXPECT_FALSE(FindFormedFile(folder / "LOG.TDB"));  // a folder never matches
  EXPECT_FALSE(FindFormedFile(folder / "none" / "nebu.xls"));
}

}  // namespace
}  // namespace sfxtal::platform
