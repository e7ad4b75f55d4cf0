// The operator's spreadsheet program by automation, against fake_spreadsheet.exe registered as
// "excel.application" in this Wine prefix, one test at a time: the calls it gets, by name and in
// order; what the operator is told when it refuses one; and which of it and the built-in stand-in
// each hand-over chooses.
#include <gtest/gtest.h>

#include "app/spreadsheet_hand_over.h"
#include "platform/program_folder.h"
#include "platform/wide_text_windows.h"
#include "standin/spreadsheet_choice.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

// After the project's headers, whose names its macros would change.
#include <windows.h>

namespace sfxtal::standin {
namespace {

using app::HandOverResult;

const std::wstring kClsid = L"{6C1F0B52-3D8E-4A7B-9E21-5B4C7D0A9F36}";
const std::string kReason = "偽の表計算ソフトが断りました";

// What the fake logs for a hand-over that opens `book` and runs `macro` ("" none).
std::string Calls(const std::string& book, const std::string& macro) {
  std::string calls =
      "Application put Visible [put]=True\nApplication get workbooks\n"
      "Workbooks method Open filename=\"FOLDER\\" +
      book + "\"\n";
  if (!macro.empty()) {
    calls += "Application get application\nApplication method run macro=\"" + macro + "\"\n";
  }
  return calls + "ended\n";
}

class OperatorsSpreadsheet : public ::testing::Test {
 protected:
  OperatorsSpreadsheet() { std::filesystem::create_directory(folder_); }
  ~OperatorsSpreadsheet() override {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"excel.application");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + kClsid).c_str());
  }

  // `server` registered as the operator's program; the fake refuses `refused` with `reason`.
  void Register(const std::string& refused, const std::string& reason,
                const std::filesystem::path& server = platform::ProgramFolder() /
                                                      "fake_spreadsheet.exe") {
    const std::wstring command = L"\"" + server.native() + L"\" \"" + log_.native() + L"\" " +
                                 kClsid +
                                 platform::WideFromUtf8(" \"" + refused + "\" \"" + reason + "\"");
    const auto set = [](const std::wstring& key, const std::wstring& value) {
      RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                      DWORD((value.size() + 1) * sizeof(wchar_t)));
    };
    set(L"excel.application\\CLSID", kClsid);
    set(L"CLSID\\" + kClsid + L"\\LocalServer32", command);
  }

  // The fake's log once it has ended, then what the operator was told; the folder as FOLDER.
  std::string Transcript() const {
    std::string text = test_support::ReadBytes(log_);
    for (int wait = 0; !text.empty() && !text.ends_with("ended\n") && wait < 200; ++wait) {
      Sleep(50);
      text = test_support::ReadBytes(log_);
    }
    for (const std::string& message : ui_.Messages()) text += "message: " + message + "\n";
    const std::string folder = platform::Utf8FromPath(folder_);
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;) {
      text.replace(at, folder.size(), "FOLDER");
    }
    return text;
  }

  const platform::ComApartment com_;
  const test_support::TempFolder temp_;
  const std::filesystem::path folder_ = temp_ / "記録 フォルダ";
  const std::filesystem::path log_ = temp_ / "calls.txt";
  test_support::RecordingUi ui_;
  SpreadsheetChoice choice_{ui_};
};

struct Case {
  const char* name;
  const char* job;  // an excel_x mode, or "award" for Nebu_excel
  bool registered;
  const char* bookInFolder;
  const char* refused;
  const char* reason;
  HandOverResult result;
  std::string transcript;
};

class HandOver : public OperatorsSpreadsheet, public ::testing::WithParamInterface<Case> {};

TEST_P(HandOver, GoesToTheProgramOrTheStandInAndEndsAsItsJobDoes) {
  const Case& c = GetParam();
  if (c.registered) Register(c.refused, c.reason);
  test_support::WriteBytes(folder_ / platform::PathFromUtf8(c.bookInFolder), "");
  const HandOverResult result = std::string_view(c.job) == "award"
                                    ? app::NebuExcel(ui_, folder_, choice_)
                                    : app::ExcelX(ui_, folder_, c.job, choice_);
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(Transcript(), c.transcript);
  EXPECT_EQ(choice_.ProgramChosen(), c.transcript.find("ended\n") != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, HandOver,
    ::testing::Values(Case{"Import", "FREAD", true, "sfxtal.xls", "", "", HandOverResult::kDone,
                           Calls("sfxtal.xls", "F_Read")},
                      Case{"ViewOfTheWorkbookInCapitals", "NONFREAD", true, "SFXTAL.XLS", "", "",
                           HandOverResult::kDone, Calls("sfxtal.xls", "")},
                      Case{"Award", "award", true, "nebu_SET.xls", "", "", HandOverResult::kDone,
                           Calls("nebu_SET.xls", "変換")},
                      Case{"ImportMacroRefused", "FREAD", true, "sfxtal.xls", "run",
                           kReason.c_str(), HandOverResult::kMacroFailed,
                           Calls("sfxtal.xls", "F_Read") +
                               "message: マクロを実行できません\nF_Read\n" + kReason + "\n"},
                      Case{"WorkbookRefusedWithoutAReason", "FREAD", true, "sfxtal.xls", "Open", "",
                           HandOverResult::kOpenFailed,
                           Calls("sfxtal.xls", "") +
                               "message: ブックを開けません\nFOLDER\\sfxtal.xls\n"
                               "表計算ソフトのエラー番号 0x800A03EC\n"},
                      // The stand-in, which says what it misses.
                      Case{"ImportWithOnlyTheAwardWorkbook", "FREAD", true, "nebu_SET.xls", "", "",
                           HandOverResult::kMacroFailed,
                           "message: ファイルを読み込めません\nFOLDER\\sfxtal.tmp\n"},
                      Case{"ViewWithoutTheProgram", "NONFREAD", false, "sfxtal.xls", "", "",
                           HandOverResult::kDone,
                           "message: 集計ブックがありません。先に Tevrak ﾃﾞｰﾀを読み込んでください\n"
                           "FOLDER\\sfxtal.xlsx\n"}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

// The operator's program for every job, chosen or not.
class ProgramOnly : public app::SpreadsheetChooser {
 public:
  explicit ProgramOnly(platform::UserInterface& ui) : program_(ui) {}
  std::unique_ptr<platform::SpreadsheetApplication> Start(
      app::SpreadsheetJob /*job*/, const std::filesystem::path& workbook) override {
    return program_.Create(workbook);
  }

 private:
  platform::ComSpreadsheetFactory program_;
};

TEST_F(OperatorsSpreadsheet, ThatCannotStartIsPassedOverWithoutAWord) {
  ProgramOnly program(ui_);
  EXPECT_EQ(app::ExcelX(ui_, folder_, "FREAD", program), HandOverResult::kNotStarted);
  Register("", "", temp_ / "gone.exe");  // registered, but its program is gone
  EXPECT_EQ(app::ExcelX(ui_, folder_, "FREAD", program), HandOverResult::kNotStarted);
  EXPECT_EQ(Transcript(), "");
}

}  // namespace
}  // namespace sfxtal::standin
