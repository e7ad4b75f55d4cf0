#include "ui/suffix_dialog_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "importer/suffix_dialog.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_ui.h"

namespace sfxtal::ui {
namespace {

using test_support::CaseName;
using test_support::RecordingUi;

struct SetCase {
  const char* typed;
  const char* shown;     // what the entry holds after the keys
  const char* accepted;  // the suffix handed back, or nullptr when refused
  const char* message;   // the message of a refusal
};

class SuffixDialogWindowTest : public testing::TestWithParam<SetCase> {
 protected:
  SuffixDialogWindowTest() {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  QLineEdit* Entry() { return window.findChild<QLineEdit*>(QStringLiteral("Text1")); }
  QPushButton* Button(const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QString Label(const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
  }

  RecordingUi ui;
  importer::SuffixDialog dialog{ui, {1234, "1998/03/21", "09:05J", "CW", "7.012", "QQ1ABC/QQ2XYZ"}};
  SuffixDialogWindow window{dialog};
};

TEST_F(SuffixDialogWindowTest, ShowsTheQsoInHandWithAnEmptyEntry) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("サフィックスの設定"));
  EXPECT_TRUE(window.isModal());
  EXPECT_EQ(Label("Label1"), QStringLiteral("下記交信のサフィックスを設定して下さい"));
  EXPECT_EQ(Label("Label2"), "1234");
  EXPECT_EQ(Label("Label3"), "1998/03/21");
  EXPECT_EQ(Label("Label4"), "09:05J");
  EXPECT_EQ(Label("Label5"), "CW");
  EXPECT_EQ(Label("Label6"), "7.012");
  EXPECT_EQ(Label("Label7"), "QQ1ABC/QQ2XYZ");
  EXPECT_EQ(Entry()->text(), "");
  EXPECT_EQ(Button("Command2")->toolTip(), QStringLiteral("今回はサフィックスの設定をしません"));
  EXPECT_EQ(dialog.DialogSuffix(), "");
}

TEST_P(SuffixDialogWindowTest, SetAcceptsOrRefusesWhatWasTyped) {
  const SetCase& c = GetParam();
  QTest::keyClicks(Entry(), c.typed);
  QTest::keyClick(Entry(), Qt::Key_Return);  // dropped: presses nothing
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Entry()->text().toStdString(), c.shown);
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  if (c.accepted != nullptr) {
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.DialogSuffix(), c.accepted);
    EXPECT_TRUE(ui.Messages().empty());
  } else {
    EXPECT_TRUE(window.isVisible());  // another try
    EXPECT_EQ(Entry()->text().toStdString(), c.shown);
    EXPECT_EQ(dialog.DialogSuffix(), "");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{c.message});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SuffixDialogWindowTest,
    testing::Values(SetCase{"abc", "ABC", "ABC", nullptr}, SetCase{"BC", "BC", "BC", nullptr},
                    SetCase{"xyz", "XYZ", "XYZ", nullptr}, SetCase{"z", "Z", "Z", nullptr},
                    SetCase{"a1/ b", "AB", nullptr, "指定されたサフィックスがおかしい"},
                    SetCase{"abcd", "ABCD", nullptr, "サフィックスの桁数がおかしい"},
                    SetCase{"", "", nullptr, "サフィックスが指定されていません"},
                    SetCase{"12/ ", "", nullptr, "サフィックスが指定されていません"}),
    [](const testing::TestParamInfo<SetCase>& test_case) {
      return CaseName(test_case.index, test_case.param.typed);
    });

TEST_F(SuffixDialogWindowTest, BackspaceWorksAndARefusalCanBeMended) {
  QTest::keyClicks(Entry(), "abcd");
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  QTest::keyClick(Entry(), Qt::Key_Backspace);
  EXPECT_EQ(Entry()->text(), "ABC");
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  EXPECT_EQ(dialog.DialogSuffix(), "ABC");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"サフィックスの桁数がおかしい"});
}

TEST_F(SuffixDialogWindowTest, EnterPressesTheFocusedButton) {
  QTest::keyClicks(Entry(), "abc");
  Button("Command1")->setFocus();
  QTest::keyClick(Button("Command1"), Qt::Key_Enter);
  EXPECT_EQ(dialog.DialogSuffix(), "ABC");
}

TEST_F(SuffixDialogWindowTest, SkipAndTheCloseBoxHandNothingBack) {
  QTest::keyClicks(Entry(), "abc");
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.DialogSuffix(), "");

  window.show();
  QTest::keyClicks(Entry(), "c");
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(dialog.DialogSuffix(), "");
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace sfxtal::ui
