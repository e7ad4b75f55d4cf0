// Our settings store against Windows' own private-profile functions: each reads what the other
// wrote, so a SFXTAL.INI moves between this program and any other that keeps it.
#include <gtest/gtest.h>

#include <string>

#include "app/ini_file.h"
#include "app/settings_store.h"
#include "platform/path_text.h"
#include "platform/text_codec.h"
#include "tests/support/temp_folder.h"

// After the project's headers, whose names its macros would change.
#include <windows.h>

namespace sfxtal::app {
namespace {

using platform::DecodeCp932;
using platform::EncodeCp932;
using test_support::TempFolder;

// Every character here has 0x5C, the byte of "\", as its second byte: 表 95 5C, ソ 83 5C, 能 94 5C.
constexpr const char* kMarks = "表ソ能";
constexpr const char* kLogPath = "C:\\記録 フォルダ\\ソフト\\Tevrak.TDB";

class PrivateProfile : public ::testing::Test {
 protected:
  // Windows' own calls take CP932; the file's name is plain ASCII.
  void Write(const char* section, const char* key, const char* value) {
    ASSERT_TRUE(WritePrivateProfileStringA(EncodeCp932(section).c_str(), EncodeCp932(key).c_str(),
                                           value ? EncodeCp932(value).c_str() : nullptr,
                                           file_.c_str()));
  }
  std::string Read(const char* section, const char* key) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file_.c_str());  // no cached copy
    char value[1024];
    GetPrivateProfileStringA(EncodeCp932(section).c_str(), EncodeCp932(key).c_str(), "(none)",
                             value, sizeof value, file_.c_str());
    return DecodeCp932(value);
  }
  std::string Stored(const char* key) {
    std::string value = "(none)";
    store_.ReadSetting(key, value);
    return value;
  }

  TempFolder folder_;
  SettingsStore store_{folder_.Path()};
  std::string file_ = platform::Utf8FromPath(store_.SettingsPath());
};

TEST_F(PrivateProfile, OurStoreReadsWhatWindowsWrote) {
  Write("Other", "Keep", "この行は残る");
  Write(kSettingsSection, kGiveUpMarksKey, kMarks);
  Write(kSettingsSection, kTevrakKey, kLogPath);
  Write("sfxtal", kForm1TopKey, " 2340");  // a section name in other letters is the same one
  EXPECT_EQ(Stored(kGiveUpMarksKey), kMarks);
  EXPECT_EQ(Stored(kTevrakKey), kLogPath);
  EXPECT_EQ(Stored(kForm1TopKey), "2340");
  EXPECT_EQ(ReadIniValue(store_.SettingsPath(), "OTHER", "keep"), "この行は残る");

  // Our writes keep what Windows wrote around them, and Windows reads them.
  store_.WriteSetting(kForm1LeftKey, " 120");
  store_.WriteSetting(kGiveUpMarksKey, "ソ");
  EXPECT_EQ(Read("Other", "Keep"), "この行は残る");
  EXPECT_EQ(Read(kSettingsSection, kTevrakKey), kLogPath);
  EXPECT_EQ(Read(kSettingsSection, kGiveUpMarksKey), "ソ");
  EXPECT_EQ(Read(kSettingsSection, kForm1LeftKey), " 120");  // quoted, so read as written
  EXPECT_EQ(Read(kSettingsSection, kForm1TopKey), "2340");
}

TEST_F(PrivateProfile, WindowsReadsAFileOurStoreMade) {
  store_.WriteSetting(kTevrakKey, kLogPath);
  store_.WriteSetting(kGiveUpMarksKey, kMarks);
  EXPECT_EQ(Read("sfxtal", "諦め"), kMarks);
  EXPECT_EQ(Read(kSettingsSection, kTevrakKey), kLogPath);
}

}  // namespace
}  // namespace sfxtal::app
