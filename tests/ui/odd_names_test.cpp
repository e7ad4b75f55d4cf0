// Program folders and log paths with blanks, quotes, "$" and Japanese: the import road and the
// results road through the real windows.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>

#include "logwriter/sample_log.h"
#include "platform/text_codec.h"
#include "standin/stand_in_spreadsheet.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/modal_answerer.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"
#include "ui/results_window.h"

namespace sfxtal::ui {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;

const char* const kOddNames[] = {"two  blanks ", "it's \"quoted\"", "$HOME `id` $(id)", "無線 ﾛｸﾞ",
                                 "-rf ;&|*"};

class OddNames : public testing::TestWithParam<const char*> {
 protected:
  OddNames() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
  }
  TempFolder temp;
};

TEST_P(OddNames, ImportAndResultsRoadsWorkInTheFolder) {
  const std::filesystem::path folder = temp / GetParam();
  std::filesystem::create_directory(folder);
  const std::filesystem::path log =
      folder / platform::PathFromUtf8(std::string(GetParam()) + ".TDB");
  ASSERT_TRUE(logwriter::WriteSampleLog(log, 300, 1));

  {
    QtUserInterface ui;
    standin::StandInFactory spreadsheet(ui);
    MainWindow window(folder, ui, spreadsheet);
    window.show();
    ModalAnswerer answerer;  // the sample's invalid frequencies are asked about: No
    answerer.Answer = [](QWidget*) { return false; };
    window.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromStdString(log));
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    ASSERT_TRUE(ui.Ended());
    // Only the sample's frequency questions come up: no file the run could not read or write.
    for (const std::string& message : answerer.messages) {
      EXPECT_EQ(message.find("ファイル"), std::string::npos) << message;
    }
  }
  EXPECT_FALSE(ReadBytes(folder / "sfxtal.tmp").empty());
  EXPECT_NE(ReadBytes(folder / "SFXTAL.INI").find("Tevrak=" + platform::EncodeCp932(log.string())),
            std::string::npos);

  QtUserInterface ui;
  standin::StandInFactory spreadsheet(ui);
  ResultsWindow results(folder, ui, spreadsheet);
  results.show();
  results.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  EXPECT_TRUE(results.windowTitle().contains(QStringLiteral(" / 18,278   ")))
      << results.windowTitle().toStdString();
  results.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "NEBU申請書.xlsx"));
}

INSTANTIATE_TEST_SUITE_P(Names, OddNames, testing::ValuesIn(kOddNames), [](const auto& test_case) {
  return test_support::CaseName(test_case.index, "");
});

}  // namespace
}  // namespace sfxtal::ui
