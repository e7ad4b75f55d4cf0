#include "platform/file_exists.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
  EXPECT_FALSE(FileExists(folder / "tevrak.tdb"));  // exact names are exact
  EXPECT_FALSE(FileExists(folder / "missing"));
  EXPECT_FALSE(FileExists(folder.Path()));  // a folder is not a file
  EXPECT_FALSE(FileExists(""));
}

TEST(FileExists, APipeOrADeviceIsNoFileAndDoesNotHang) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "実績.txt").c_str(), 0600), 0);
  EXPECT_FALSE(FileExists(folder / "実績.txt"));
  EXPECT_FALSE(ReadFileBytes(folder / "実績.txt"));
  TextFileReader reader;
  EXPECT_FALSE(reader.Open(folder / "実績.txt"));
  EXPECT_FALSE(FileExists("/dev/zero"));
}

TEST(FindFormedFile, MatchesRegardlessOfLetterCaseInItsFolder) {
  TempFolder folder;
  WriteBytes(folder / "Tevrak.TDB", "x");
  WriteBytes(folder / "NEBU.XLS", "x");
  std::filesystem::create_directory(folder / "log.tdb");

  EXPECT_EQ(FindFormedFile(folder / "Tevrak.TDB"), folder / "Tevrak.TDB");
  EXPECT_EQ(FindFormedFile(folder / "Tevrak.tdb"), folder / "Tevrak.TDB");
  EXPECT_EQ(FindFormedFile(folder / "nebu.xls"), folder / "NEBU.XLS");
  EXPECT_FALSE(FindFormedFile(folder / "nebu.xlsx"));
  EXPECT_FALSE(FindFormedFile(folder / "LOG.TDB"));  // a folder never matches
  EXPECT_FALSE(FindFormedFile(folder / "none" / "nebu.xls"));
}

}  // namespace
}  // namespace sfxtal::platform
