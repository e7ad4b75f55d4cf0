#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <memory>

#include "logwriter/log_database_writer.h"
#include "standin/stand_in_spreadsheet.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/modal_answerer.h"
#include "ui/results_window.h"
#include "ui/suffix_dialog_window.h"

namespace sfxtal::ui {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

const std::string kNotYet = "\x96\xa2";  // "未" in CP932

// No spreadsheet application on this machine: the hand-over passes over quietly.
class NoSpreadsheet : public app::SpreadsheetChooser {
 public:
  std::unique_ptr<platform::SpreadsheetApplication> Start(
      app::SpreadsheetJob /*job*/, const std::filesystem::path& /*workbook*/) override {
    ++creations;
    return nullptr;
  }
  int creations = 0;
};

logwriter::LogRecord Record(const std::string& callsign, int year, int month, int day) {
  logwriter::LogRecord record;
  record.calls = callsign;
  record.SetDate(year, month, day);
  record.hour = 12;
  record.minute = 34;
  record.qsl = "  J";
  record.freq = "7.012";
  record.mode = "CW";
  return record;
}

std::string Line(const std::string& base, const std::string& suffix, const std::string& date,
                 const std::string& mark) {
  return "\"" + base + "\",\"" + suffix + "\",\"" + date + "\",\"" + mark + "\"\r\n";
}

class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() {
    // Nothing goes to a desktop from the tests.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
  }

  void Start() {
    window.reset();
    standIn.reset();
    ui = std::make_unique<QtUserInterface>();
    standIn = std::make_unique<standin::StandInFactory>(*ui);
    window = std::make_unique<MainWindow>(
        folder.Path(), *ui,
        useStandIn ? static_cast<app::SpreadsheetChooser&>(*standIn) : spreadsheet);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename T>
  T* Find(const char* name) const {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QLineEdit* Box(int i) const { return Find<QLineEdit>(("Text2_" + std::to_string(i)).c_str()); }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < 6; ++i) texts.push_back(Box(i)->text().toStdString());
    return texts;
  }
  // The date box with the focus, or -1.
  int FocusedBox() const {
    for (int i = 0; i < 6; ++i) {
      if (Box(i)->hasFocus()) return i;
    }
    return -1;
  }
  void ClickAtLeftEdge(QWidget* box) const {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(1, box->height() / 2));
  }
  // Keys as typed: each goes to whichever control has the focus then.
  static void Type(const std::string& keys) {
    for (const char key : keys) QTest::keyClick(QApplication::focusWidget(), key);
  }
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  std::string Settings() const { return ReadBytes(folder / "SFXTAL.INI"); }

  TempFolder folder;
  NoSpreadsheet spreadsheet;
  bool useStandIn = false;  // the built-in spreadsheet stand-in instead of none
  std::unique_ptr<QtUserInterface> ui;
  std::unique_ptr<standin::StandInFactory> standIn;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, TypingAPeriodFromTheLeftEdgeFillsEveryBoxAndComesBackToTheFirst) {
  Start();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"1997", "07", "15", "9999", "99", "99"}));
  ClickAtLeftEdge(Box(0));
  const struct {
    const char* keys;
    int focusAfter;
  } steps[] = {
      {"200", 0}, {"1", 1},                           // the fourth year digit moves on
      {"0", 1},   {"2", 2},                           // the second month digit moves on
      {"03", 3},  {"2004", 4}, {"11", 5}, {"30", 0},  // from the end day back to the start year
  };
  for (const auto& step : steps) {
    Type(step.keys);
    EXPECT_EQ(FocusedBox(), step.focusAfter) << step.keys;
  }
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2001", "02", "03", "2004", "11", "30"}));
  // Back in the first box the caret is at its start again: the next digits overwrite.
  Type("1");
  EXPECT_EQ(Box(0)->text(), "1001");
}

TEST_F(MainWindowTest, TabWalksTheControlsInTheWindowsOrder) {
  Start();
  std::vector<std::string> order;
  for (int i = 0; i < 16; ++i) {
    order.push_back(QApplication::focusWidget()->objectName().toStdString());
    Press(Qt::Key_Tab);
  }
  // The option buttons are one stop, at the selected one, as in any group of options.
  EXPECT_EQ(order, (std::vector<std::string>{"Text1", "Command1", "Command2", "Command3", "Text2_0",
                                             "Text2_1", "Text2_2", "Text2_3", "Text2_4", "Text2_5",
                                             "Command4", "Command5", "Option1", "Text3", "Text1",
                                             "Command1"}));
}

TEST_F(MainWindowTest, LettersBackspaceAndEnterChangeNothingButMoveByPosition) {
  Start();
  ClickAtLeftEdge(Box(0));
  Press(Qt::Key_End);
  Press(Qt::Key_Left);  // before the last year digit
  Type("x");
  EXPECT_EQ(FocusedBox(), 1);
  Press(Qt::Key_Right);  // before the second month digit
  Press(Qt::Key_Backspace);
  EXPECT_EQ(FocusedBox(), 2);
  Press(Qt::Key_Return);  // at the start of the day: the focus stays
  Type("a/");
  EXPECT_EQ(FocusedBox(), 2);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"1997", "07", "15", "9999", "99", "99"}));
}

TEST_F(MainWindowTest, ComingBackToABoxOverwritesFromItsFirstDigit) {
  Start();
  ClickAtLeftEdge(Box(0));
  Type("20");
  Press(Qt::Key_Tab);
  EXPECT_EQ(FocusedBox(), 1);
  Press(Qt::Key_Backtab);
  EXPECT_EQ(FocusedBox(), 0);
  Type("3");
  EXPECT_EQ(Box(0)->text(), "3097");
}

TEST_F(MainWindowTest, EditingKeysWorkAsInAnyTextBox) {
  Start();
  ClickAtLeftEdge(Box(0));
  Press(Qt::Key_Delete);
  EXPECT_EQ(Box(0)->text(), "997");
  // Past the end a digit is added; it stands before the fourth character, so it moves on.
  Press(Qt::Key_End);
  Type("8");
  EXPECT_EQ(Box(0)->text(), "9978");
  EXPECT_EQ(FocusedBox(), 1);
  Press(Qt::Key_End);
  Press(Qt::Key_Home);
  Type("1");
  EXPECT_EQ(Box(1)->text(), "17");
}

TEST_F(MainWindowTest, PastedTextIsTypedThroughTheKeyRule) {
  Start();
  QApplication::clipboard()->setText(QStringLiteral("2010/12/24 x"));
  ClickAtLeftEdge(Box(0));
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"2010", "12", "24", "9999", "99", "99"}));
  EXPECT_EQ(FocusedBox(), 3);
}

TEST_F(MainWindowTest, BrowseCancelKeepsThePathAndChoosingSetsTheFullPath) {
  TempFolder logs;
  WriteBytes(logs / "tevrak.tdb", "");
  WriteBytes(logs / "OTHER.TDB", "");
  WriteBytes(logs / "notes.txt", "");
  Start();
  QLineEdit* text1 = Find<QLineEdit>("Text1");
  text1->setText(QStringLiteral("/before/Tevrak.TDB"));

  ModalAnswerer answerer;
  std::vector<std::string> listed;
  bool choose = false;
  answerer.Answer = [&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return false;
    EXPECT_EQ(dialog->nameFilters(), (QStringList{QStringLiteral("tevrak.tdb ファイル (*.TDB)"),
                                                  QStringLiteral("ADIF ファイル (*.adi *.adif)"),
                                                  QStringLiteral("すべてのファイル (*)")}));
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept).toStdString(), "開く(&O)");  // Qt's Japanese
    if (!choose) {
      dialog->reject();
      return true;
    }
    dialog->setDirectory(QString::fromStdString(logs.Path().string()));
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    EXPECT_NE(view, nullptr);
    // The folder is read in the background.
    for (int i = 0; i < 500 && view != nullptr && view->model()->rowCount(view->rootIndex()) < 2;
         ++i) {
      QTest::qWait(10);
    }
    if (view != nullptr) {
      for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        listed.push_back(
            view->model()->index(row, 0, view->rootIndex()).data().toString().toStdString());
      }
    }
    // The operator types the name into the dialog's file name box.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(name, nullptr);
    if (name != nullptr) name->setText(QStringLiteral("tevrak.tdb"));
    static_cast<QDialog*>(dialog)->accept();  // as its Open button does
    return true;
  };
  Button("Command3")->click();
  EXPECT_EQ(text1->text(), "/before/Tevrak.TDB");

  choose = true;
  Button("Command3")->click();
  EXPECT_EQ(text1->text().toStdString(), (logs / "tevrak.tdb").string());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"OTHER.TDB", "tevrak.tdb"}));
  EXPECT_EQ(answerer.titles.size(), 2u);
}

TEST_F(MainWindowTest, WithoutSettingsTheWindowOpensCentredAndItsPlaceComesBack) {
  Start();
  // Centred with its outer size: the client area and a frame of 120 x 390 twips (8 x 26 pixels),
  // which the window has only once it is shown.
  const QRect screen = window->screen()->geometry();
  EXPECT_EQ(window->size(), QSize(471, 342));  // 7065 x 5130 twips at 96 DPI
  EXPECT_NEAR(window->pos().x(), (screen.width() - 479) / 2.0, 1);
  EXPECT_NEAR(window->pos().y(), (screen.height() - 368) / 2.0, 1);
  EXPECT_EQ(Find<QLineEdit>("Text1")->text(), "");
  EXPECT_EQ(Find<QLineEdit>("Text3")->text(), "");
  EXPECT_TRUE(Find<QRadioButton>("Option1")->isChecked());

  window->move(40, 30);
  Find<QLineEdit>("Text1")->setText(QStringLiteral("/home/op/交信/Tevrak.TDB"));
  Find<QLineEdit>("Text3")->setText(QStringLiteral(" NON "));
  Button("Command1")->click();
  EXPECT_TRUE(ui->Ended());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(Settings(),
            "[SFXTAL]\r\nTevrak=/home/op/\x8c\xf0\x90\x4d/Tevrak.TDB\r\nForm1Top= 450\r\n"
            "Form1Left= 600\r\n\x92\xfa\x82\xdf=NON\r\n");

  Start();
  EXPECT_EQ(window->pos(), QPoint(40, 30));
  EXPECT_EQ(Find<QLineEdit>("Text1")->text(), QStringLiteral("/home/op/交信/Tevrak.TDB"));
  EXPECT_EQ(Find<QLineEdit>("Text3")->text(), "");  // "NON" shows as an empty box
  // The period and the option are not kept.
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"1997", "07", "15", "9999", "99", "99"}));
}

TEST_F(MainWindowTest, CloseBoxSavesLikeTheExitButton) {
  WriteBytes(folder / "SFXTAL.INI", "[Other]\r\nkept=1\r\n");
  Start();
  window->move(15, 15);
  window->close();
  EXPECT_TRUE(ui->Ended());
  EXPECT_EQ(Settings(),
            "[Other]\r\nkept=1\r\n[SFXTAL]\r\nTevrak=\r\nForm1Top= 225\r\nForm1Left= 225\r\n"
            "\x92\xfa\x82\xdf=\r\n");
}

TEST_F(MainWindowTest, TheResultsRoadSavesNothingOfTheMainWindow) {
  const std::string before = "[SFXTAL]\r\nTevrak=/old/Tevrak.TDB\r\n";
  WriteBytes(folder / "SFXTAL.INI", before);
  Start();
  Find<QLineEdit>("Text1")->setText(QStringLiteral("/new/Tevrak.TDB"));
  Button("Command4")->click();
  ASSERT_NE(window->Results(), nullptr);
  EXPECT_TRUE(window->Results()->isVisible());
  EXPECT_EQ(window->Results()->windowTitle(), QStringLiteral("交信実績"));
  EXPECT_FALSE(window->isVisible());
  for (const char* name : {"Command2", "Command3", "Command4", "Command5"}) {
    EXPECT_FALSE(Button(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Button("Command1")->isEnabled());
  window->close();  // a hidden main window closing on the way out runs no steps
  window->Results()->close();
  const std::string after = Settings();
  EXPECT_NE(after.find("Tevrak=/old/Tevrak.TDB\r\n"), std::string::npos);
  EXPECT_EQ(after.find("Form1"), std::string::npos);
}

TEST_F(MainWindowTest, SpreadsheetViewEndsTheProgramWithTheSettingsSaved) {
  Start();
  Button("Command5")->click();
  EXPECT_EQ(spreadsheet.creations, 1);
  EXPECT_TRUE(ui->Ended());
  EXPECT_NE(Settings().find("Form1Top="), std::string::npos);
}

// A place stored while the window was minimised (Windows keeps such a window far off the screen)
// would open it where nobody can see it: it comes back onto the screen.
TEST_F(MainWindowTest, APlaceOffEveryScreenIsBroughtBack) {
  WriteBytes(folder / "SFXTAL.INI", "[SFXTAL]\r\nForm1Top=-480000\r\nForm1Left=-480000\r\n");
  Start();
  const QRect screen = window->screen()->geometry();
  EXPECT_TRUE(screen.contains(window->frameGeometry().topLeft())) << window->pos().x();
}

TEST_F(MainWindowTest, TheHelpKeySaysWhereTheMissingHelpPageBelongs) {
  Start();
  ModalAnswerer answerer;
  QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_F1);
  ASSERT_EQ(answerer.messages.size(), 1u);
  EXPECT_TRUE(answerer.messages[0].starts_with("ヘルプが見つかりません")) << answerer.messages[0];
}

TEST_F(MainWindowTest, MissingLogIsReportedAndTheWindowStaysIdle) {
  Start();
  Find<QLineEdit>("Text1")->setText(QString::fromStdString((folder / "none.TDB").string()));
  ModalAnswerer answerer;
  answerer.Answer = [](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box != nullptr) {
      EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
      EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    }
    return false;
  };
  Button("Command2")->click();
  EXPECT_EQ(answerer.titles, std::vector<std::string>{"SfxTal"});
  EXPECT_EQ(answerer.messages, std::vector<std::string>{"Tevrak.TDB が見つかりません"});
  EXPECT_FALSE(ui->Ended());
  EXPECT_TRUE(Button("Command2")->isEnabled());
  EXPECT_TRUE(Find<QGroupBox>("Frame2")->isEnabled());
  EXPECT_FALSE(std::filesystem::exists(folder / "sfxtal.tmp"));
}

class ExitDuringImport : public MainWindowTest, public testing::WithParamInterface<bool> {};

TEST_P(ExitDuringImport, StopsAfterTheRecordInHandAndEndsWithTheSettingsSaved) {
  const bool closeBox = GetParam();
  std::vector<logwriter::LogRecord> records;
  for (int day = 1; day <= 28; ++day) records.push_back(Record("QQ1ABC", 2001, 2, day));
  ASSERT_TRUE(logwriter::WriteLogDatabase(folder / "Tevrak.TDB", records));
  Start();
  ui->SetYieldInterval(0);  // events after every record
  Find<QLineEdit>("Text1")->setText(QString::fromStdString((folder / "Tevrak.TDB").string()));
  bool lockedWhileRunning = false;
  // Runs at the first pass of events inside the import, after its first record.
  QTimer::singleShot(0, window.get(), [&] {
    lockedWhileRunning = window->ImportRunning() && !Button("Command2")->isEnabled() &&
                         !Find<QGroupBox>("Frame5")->isEnabled() &&
                         Button("Command1")->isEnabled() && Find<QLineEdit>("Text1")->isEnabled();
    if (closeBox) {
      window->close();
      EXPECT_FALSE(ui->Ended());  // the run ends the program, once it has stopped
    } else {
      QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    }
  });
  Button("Command2")->click();
  EXPECT_TRUE(lockedWhileRunning);
  EXPECT_TRUE(ui->Ended());
  EXPECT_EQ(ReadBytes(folder / "sfxtal.tmp"), Line("QQ1ABC", "ABC", "2001/02/01", "J"));
  EXPECT_EQ(spreadsheet.creations, 0);  // no hand-over
  EXPECT_NE(Settings().find("Tevrak=" + (folder / "Tevrak.TDB").string()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExitDuringImport, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& test_case) {
                           return test_case.param ? std::string("CloseBox")
                                                  : std::string("Command1");
                         });

TEST_F(MainWindowTest, EnterPressesTheFocusedButton) {
  Start();
  Button("Command1")->setFocus();
  Press(Qt::Key_Return);
  EXPECT_TRUE(ui->Ended());
  EXPECT_NE(Settings().find("Form1Top="), std::string::npos);
}

// The system ends the program during an import (shutdown, logout, kill): the run stops after the
// record in hand, also one that waits for the suffix dialog, and the program ends with the
// settings saved, as with the exit button. SIGHUP comes while the first record's dialog is open,
// SIGTERM between two records.
class SystemEndDuringImport : public MainWindowTest, public testing::WithParamInterface<int> {};

TEST_P(SystemEndDuringImport, StopsTheRunAndEndsWithTheSettingsSaved) {
  const bool atDialog = GetParam() == SIGHUP;
  const std::filesystem::path log = folder / "Tevrak.TDB";
  ASSERT_TRUE(logwriter::WriteLogDatabase(
      log, std::vector(200, Record(atDialog ? "QQ1A/QQ2B" : "QQ1ABC", 2001, 2, 3))));
  Start();
  ui->SetYieldInterval(0);
  Find<QLineEdit>("Text1")->setText(QString::fromStdString(platform::Utf8FromPath(log)));
  Find<QRadioButton>("Option2")->setChecked(true);
  ModalAnswerer answerer;
  answerer.Answer = [](QWidget*) { return std::raise(SIGHUP) == 0; };  // the dialog stays open
  if (!atDialog) QTimer::singleShot(0, window.get(), [] { std::raise(SIGTERM); });
  Button("Command2")->click();
  EXPECT_TRUE(ui->Ended());
  const std::string lines = ReadBytes(folder / "sfxtal.tmp");
  EXPECT_LT(std::count(lines.begin(), lines.end(), '\n'), atDialog ? 1 : 200);
  EXPECT_EQ(spreadsheet.creations, 0);
  EXPECT_NE(Settings().find("Tevrak=" + platform::Utf8FromPath(log) + "\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Signals, SystemEndDuringImport, testing::Values(SIGTERM, SIGHUP));

TEST_F(MainWindowTest, ImportRoadTakesThePeriodAsksHandsOverAndEnds) {
  ASSERT_TRUE(logwriter::WriteLogDatabase(
      folder / "Tevrak.TDB", {Record("QQ1ZZZ", 2000, 12, 31), Record("QQ1ABC", 2001, 2, 3),
                              Record("QQ1A/QQ2B", 2001, 5, 6), Record("QQ2XYZ", 2004, 11, 30),
                              Record("QQ3OUT", 2004, 12, 1)}));
  useStandIn = true;
  Start();
  Find<QLineEdit>("Text1")->setText(QString::fromStdString((folder / "Tevrak.TDB").string()));
  Find<QLineEdit>("Text3")->setText(QStringLiteral(" J "));
  ClickAtLeftEdge(Box(0));
  Type("20010203");
  Type("20041130");
  QTest::mouseClick(Find<QRadioButton>("Option2"), Qt::LeftButton);

  ModalAnswerer answerer;
  int tries = 0;
  answerer.Answer = [&](QWidget* modal) {
    auto* dialog = qobject_cast<SuffixDialogWindow*>(modal);
    if (dialog == nullptr) return false;
    EXPECT_EQ(dialog->parentWidget(), window.get());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("サフィックスの設定"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label7"))->text(), "QQ1A/QQ2B");
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label3"))->text(), "2001/05/06");
    EXPECT_FALSE(Find<QGroupBox>("Frame2")->isEnabled());
    EXPECT_FALSE(Find<QGroupBox>("Frame6")->isEnabled());
    auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* set = dialog->findChild<QPushButton*>(QStringLiteral("Command1"));
    if (tries++ == 0) {
      QTest::keyClicks(entry, "ab");  // refused: it ends neither part
    } else {
      QTest::keyClick(entry, Qt::Key_Backspace);
      QTest::keyClick(entry, Qt::Key_Backspace);
      QTest::keyClicks(entry, "b");
    }
    QTest::mouseClick(set, Qt::LeftButton);
    return true;
  };
  Button("Command2")->click();

  EXPECT_EQ(tries, 2);
  EXPECT_EQ(answerer.messages, std::vector<std::string>{"指定されたサフィックスがおかしい"});
  EXPECT_TRUE(ui->Ended());
  EXPECT_EQ(Find<QLabel>("Label1")->text(), "2004/11/30 3");
  EXPECT_EQ(ReadBytes(folder / "sfxtal.tmp"), Line("QQ1ABC", "ABC", "2001/02/03", kNotYet) +
                                                  Line("QQ1A/QQ2B", "B", "2001/05/06", kNotYet) +
                                                  Line("QQ2XYZ", "XYZ", "2004/11/30", kNotYet));
  const std::string results = ReadBytes(folder / "実績.txt");
  EXPECT_EQ(std::count(results.begin(), results.end(), '\n'), 18278);
  EXPECT_NE(results.find("\r\n\"B\",\"QQ1A/QQ2B\",\"2001/05/06\",\"" + kNotYet + "\"\r\n"),
            std::string::npos);
  EXPECT_NE(ReadBytes(folder / "履歴.txt").find("QQ1A/QQ2B"), std::string::npos);
  const std::string settings = Settings();
  EXPECT_NE(settings.find("Tevrak=" + (folder / "Tevrak.TDB").string() + "\r\n"),
            std::string::npos);
  EXPECT_NE(settings.find("Form1Top="), std::string::npos);
  EXPECT_NE(settings.find("Form1Left="), std::string::npos);
  EXPECT_NE(settings.find("\x92\xfa\x82\xdf=J\r\n"), std::string::npos);
}

}  // namespace
}  // namespace sfxtal::ui
