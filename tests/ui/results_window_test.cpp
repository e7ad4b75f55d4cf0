#include "ui/results_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>
#include <sstream>

#include "app/settings_store.h"
#include "platform/path_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "platform/twips.h"
#include "results/suffix_row.h"
#include "standin/award_application.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/standin_texts.h"
#include "tests/support/recording_spreadsheet.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::ui {
namespace {

using test_support::RecordingSpreadsheetFactory;
using test_support::RecordingUi;
using test_support::TempFolder;

constexpr int kLastRow = results::kSuffixCount - 1;
const QColor kRed(255, 0, 0);

// 実績.txt with every suffix in order; the rows given are worked with their mark.
std::string ResultsFile(const std::map<int, std::string>& worked) {
  std::string text;
  for (int row = 0; row < results::kSuffixCount; ++row) {
    const std::string suffix = results::SuffixOfRow(row);
    const auto it = worked.find(row);
    if (it == worked.end()) {
      text += "\"" + suffix + "\",\"\",\"\",\"\"\r\n";
    } else {
      text += "\"" + suffix + "\",\"JA1" + suffix + "\",\"2024/05/0" + std::to_string(row % 10) +
              "\",\"" + it->second + "\"\r\n";
    }
  }
  return platform::EncodeCp932(text);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class ResultsWindowTest : public ::testing::Test {
 protected:
  void WriteResults(const std::map<int, std::string>& worked) {
    ASSERT_TRUE(platform::ReplaceFile(folder / "実績.txt", ResultsFile(worked)));
  }

  ResultsWindow& Open() {
    window = std::make_unique<ResultsWindow>(folder.Path(), ui, spreadsheet);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  template <typename T>
  T* Control(const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QTableView* Grid() { return Control<QTableView>("MSFlexGrid1"); }
  QPushButton* Button(const char* name) { return Control<QPushButton>(name); }
  QLineEdit* Text1() { return Control<QLineEdit>("Text1"); }
  int TopRow() { return Grid()->rowAt(0); }

  // Reads, answering any message box, whose texts are collected.
  void Read() {
    QTimer::singleShot(0, [this] { AnswerMessageBoxes(); });
    QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  }
  void AnswerMessageBoxes() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      messages.push_back(box->text().toStdString());
      box->accept();
    }
  }

  std::string Caption() const { return window->windowTitle().toStdString(); }

  struct ControlStates {
    bool command1, command3, text1;
    bool operator==(const ControlStates&) const = default;
  };
  ControlStates States() {
    return {Button("Command1")->isEnabled(), Button("Command3")->isEnabled(), Text1()->isEnabled()};
  }

  int Px(double twips) const { return platform::TwipsToPixels(twips, window->logicalDpiY()); }

  TempFolder folder;
  QtUserInterface ui;
  RecordingUi recordingUi;
  RecordingSpreadsheetFactory spreadsheet{recordingUi};
  std::unique_ptr<ResultsWindow> window;
  std::vector<std::string> messages;
};

TEST_F(ResultsWindowTest, OpensWithEveryControlInPlaceAndTheGridOfAllSuffixes) {
  Open();
  EXPECT_EQ(Caption(), "交信実績");
  EXPECT_EQ(window->size(), QSize(Px(5910), Px(2850)));
  const struct {
    const char* name;
    const char* caption;
    const char* tip;
    QRect twips;
  } controls[] = {
      {"MSFlexGrid1", nullptr, "黒がコンファーム済みです", {120, 120, 3300, 2535}},
      {"Command1", "実績データ読込", "実績データを読込みます", {3720, 840, 1815, 495}},
      {"Text1", "", "ここにサフィックスを指定します", {4080, 240, 1215, 330}},
      {"Command2", "終了", "終了します", {3720, 1560, 1815, 495}},
      {"Command3", "NEBU 出力", "NEBU 申請書の作成をします", {3720, 2280, 1815, 495}},
  };
  std::vector<QWidget*> tabOrder;
  for (const auto& c : controls) {
    auto* control = Control<QWidget>(c.name);
    tabOrder.push_back(control);
    EXPECT_NE(control->focusPolicy() & Qt::TabFocus, 0) << c.name;
    EXPECT_EQ(control->toolTip().toStdString(), c.tip) << c.name;
    EXPECT_EQ(control->geometry(),
              QRect(Px(c.twips.x()), Px(c.twips.y()), Px(c.twips.width()), Px(c.twips.height())))
        << c.name;
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      EXPECT_EQ(button->text().toStdString(), c.caption);
    }
  }
  // The focus chain also runs through the grid's own parts; the controls come in tab order.
  std::vector<QWidget*> chain;
  for (QWidget* w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain()) {
    if (std::find(tabOrder.begin(), tabOrder.end(), w) != tabOrder.end()) chain.push_back(w);
  }
  EXPECT_EQ(chain, tabOrder);
  EXPECT_EQ(Grid()->font().family().toStdString(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(Grid()->font().pointSize(), 9);
  EXPECT_EQ(Text1()->font().family().toStdString(), "ＭＳ 明朝");
  EXPECT_DOUBLE_EQ(Text1()->font().pointSizeF(), 11.25);

  QAbstractItemModel* model = Grid()->model();
  EXPECT_EQ(model->rowCount(), 18278);
  EXPECT_EQ(model->columnCount(), 3);
  EXPECT_FALSE(Grid()->horizontalHeader()->isVisible());
  EXPECT_EQ(Grid()->verticalHeader()->width(), Px(700));
  EXPECT_EQ(Grid()->columnWidth(1), Px(900));
  EXPECT_EQ(Grid()->columnWidth(2), Px(1400));
  EXPECT_EQ(Grid()->currentIndex(), model->index(1, 1));
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(model->index(0, column).data().toString(), "");
    EXPECT_EQ(model->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignHCenter | Qt::AlignBottom);
  }
}

TEST_F(ResultsWindowTest, OutputIsOfferedAtOpeningOnlyWithNebuXlsInAnyLetterCase) {
  Open();
  EXPECT_EQ(States(), (ControlStates{true, false, false}));
  EXPECT_EQ(Text1()->text(), "");
  test_support::WriteBytes(folder / "NEBU.XLS", "");
  Open();
  EXPECT_EQ(States(), (ControlStates{true, true, false}));
}

TEST_F(ResultsWindowTest, ReadFillsEveryRowRedWhereNotYetAndPutsTheTotalsInTheCaption) {
  // 1,234 confirmed, four not yet (one of them without a QSO), one worked with an empty mark.
  std::map<int, std::string> worked;
  for (int row = 0; row < 1234; ++row) worked.emplace(row * 14, "J");
  worked[1] = "未";
  worked[701] = "未";
  worked[kLastRow] = "未";
  worked[3] = "";
  WriteResults(worked);
  Open();
  Read();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Caption(), "交信実績  1,235 / 18,278   6.76 %");
  QAbstractItemModel* model = Grid()->model();
  const struct {
    int row;
    const char* suffix;
    bool red;
  } rows[] = {{0, "A", false},   {1, "B", true},      {25, "Z", false}, {26, "AA", false},
              {701, "ZZ", true}, {702, "AAA", false}, {3, "D", false},  {kLastRow, "ZZZ", true}};
  for (const auto& r : rows) {
    EXPECT_EQ(model->index(r.row, 0).data().toString().toStdString(), r.suffix);
    EXPECT_EQ(model->headerData(r.row, Qt::Vertical).toString().toStdString(), r.suffix);
    EXPECT_FALSE(model->index(r.row, 0).data(Qt::ForegroundRole).isValid());
    for (int column : {1, 2}) {
      const QVariant colour = model->index(r.row, column).data(Qt::ForegroundRole);
      EXPECT_EQ(colour.isValid() && colour.value<QBrush>().color() == kRed, r.red)
          << r.suffix << " column " << column;
    }
  }
  EXPECT_EQ(model->index(701, 1).data().toString(), "JA1ZZ");
  EXPECT_EQ(States(), (ControlStates{false, true, true}));
  EXPECT_EQ(window->focusWidget(), Text1());
}

TEST_F(ResultsWindowTest, MissingResultsFileLeavesOnlyClosing) {
  test_support::WriteBytes(folder / "nebu.xls", "");
  Open();
  Read();
  EXPECT_EQ(messages, std::vector<std::string>{"実績ファイルが見当たりません"});
  EXPECT_EQ(Caption(), "交信実績");
  EXPECT_EQ(States(), (ControlStates{false, false, false}));
}

// The totals stand as read, and one message after them says what the application would refuse.
TEST_F(ResultsWindowTest, AReadOfAFileTheApplicationWouldRefuseWarnsOnceAfterTheTotals) {
  const std::string whole = ResultsFile({{0, "J"}});
  ASSERT_TRUE(platform::ReplaceFile(folder / "実績.txt", whole.substr(0, whole.size() / 2)));
  Open();
  // The message comes at the end of the read, after the events the read lets run.
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [this] { AnswerMessageBoxes(); });
  answerer.start(10);
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  answerer.stop();
  EXPECT_EQ(Caption(), "交信実績  1 / 18,278   0.01 %");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].starts_with("実績.txt の ")) << messages[0];
  EXPECT_NE(messages[0].find("表示した件数と達成率は正しくないおそれがあります"),
            std::string::npos);
}

TEST_F(ResultsWindowTest, AFullReadCostsOneRepaintAndOneChangeOfTheModel) {
  WriteResults({{5, "未"}, {9000, "J"}});
  Open();
  // The button takes the focus from the grid before the read, which repaints the grid once.
  Button("Command1")->setFocus();
  QApplication::processEvents();
  PaintCounter cells(Grid()->viewport());
  PaintCounter fixedColumn(Grid()->verticalHeader()->viewport());
  QSignalSpy changes(Grid()->model(), &QAbstractItemModel::dataChanged);
  QSignalSpy headings(Grid()->model(), &QAbstractItemModel::headerDataChanged);
  Read();
  QApplication::processEvents();
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(headings.count(), 1);
  EXPECT_EQ(cells.paints, 1);
  EXPECT_EQ(fixedColumn.paints, 1);
}

TEST_F(ResultsWindowTest, SecondReadAfterAnOutputAppendsTotalsAgainAndTurnsNewlyConfirmedBlack) {
  WriteResults({{0, "未"}, {1, "J"}});
  Open();
  Read();
  QTest::mouseClick(Button("Command3"), Qt::LeftButton);
  EXPECT_EQ(States(), (ControlStates{true, false, true}));
  WriteResults({{0, "J"}, {1, "J"}});
  Read();
  EXPECT_EQ(Caption(), "交信実績  1 / 18,278   0.01 %  2 / 18,278   0.01 %");
  EXPECT_FALSE(Grid()->model()->index(0, 1).data(Qt::ForegroundRole).isValid());
  EXPECT_EQ(States(), (ControlStates{false, true, true}));
}

TEST_F(ResultsWindowTest, OutputBeforeAReadIsOfferedOnceThenAgainAfterARead) {
  test_support::WriteBytes(folder / "nebu.xls", "");
  WriteResults({});
  Open();
  QTest::mouseClick(Button("Command3"), Qt::LeftButton);
  EXPECT_EQ(States(), (ControlStates{true, false, false}));
  EXPECT_EQ(spreadsheet.Timeline().back(), "release");
  Read();
  EXPECT_EQ(Caption(), "交信実績   / 18,278   0.00 %");
  EXPECT_EQ(States(), (ControlStates{false, true, true}));
}

TEST_F(ResultsWindowTest, OutputThroughTheStandInWritesTheApplicationAndHandsItOver) {
  WriteResults({{0, "J"}, {26, "未"}});
  test_support::WriteBytes(folder / "nebu.xls", "");
  standin::StandInFactory standIn(recordingUi);
  window = std::make_unique<ResultsWindow>(folder.Path(), ui, standIn);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTest::mouseClick(Button("Command3"), Qt::LeftButton);
  const std::filesystem::path application = folder / standin::kAwardBookName;
  EXPECT_EQ(test_support::ReadBytes(application).substr(0, 2), "PK");
  EXPECT_EQ(recordingUi.Texts(test_support::UiEvent::Kind::kOpenFile),
            std::vector<std::string>{application.string()});
  EXPECT_EQ(States(), (ControlStates{true, false, false}));
}

struct LookupCase {
  const char* typed;
  int topRow;  // -1: as far as the grid scrolls
};

class ResultsWindowLookup : public ResultsWindowTest,
                            public ::testing::WithParamInterface<LookupCase> {};

TEST_P(ResultsWindowLookup, TypedSuffixScrollsItsRowToTheTopWithoutMovingTheCurrentCell) {
  WriteResults({});
  Open();
  Read();
  const QModelIndex current = Grid()->currentIndex();
  // Start from a row far from the one looked up.
  Grid()->scrollTo(Grid()->model()->index(9000, 1), QAbstractItemView::PositionAtTop);
  QTest::keyClicks(Text1(), GetParam().typed);
  EXPECT_EQ(Text1()->text().toStdString(), GetParam().typed);
  if (GetParam().topRow >= 0) {
    EXPECT_EQ(TopRow(), GetParam().topRow);
  } else {
    EXPECT_EQ(Grid()->verticalScrollBar()->value(), Grid()->verticalScrollBar()->maximum());
    EXPECT_GT(TopRow(), 18000);
    const QRect last = Grid()->visualRect(Grid()->model()->index(kLastRow, 1));
    EXPECT_TRUE(Grid()->viewport()->rect().contains(last)) << last.y();
  }
  EXPECT_EQ(Grid()->currentIndex(), current);
}

INSTANTIATE_TEST_SUITE_P(Suffixes, ResultsWindowLookup,
                         ::testing::Values(LookupCase{"a", 0}, LookupCase{"AA", 26},
                                           LookupCase{"ZZ", 701}, LookupCase{"AAA", 702},
                                           LookupCase{"xbc", 16278}, LookupCase{"ZZZ", -1}),
                         [](const auto& test_case) { return std::string(test_case.param.typed); });

TEST_F(ResultsWindowTest, FourthLetterLeavesTheGridAndBackToThreeScrollsAgain) {
  WriteResults({});
  Open();
  Read();
  QTest::keyClicks(Text1(), "ABC");
  const int abc = TopRow();
  EXPECT_EQ(abc, *results::SuffixRow("ABC"));
  Grid()->scrollTo(Grid()->model()->index(100, 1), QAbstractItemView::PositionAtTop);
  QTest::keyClicks(Text1(), "D");
  EXPECT_EQ(Text1()->text(), "ABCD");
  EXPECT_EQ(TopRow(), 100);
  QTest::keyClick(Text1(), Qt::Key_Backspace);
  EXPECT_EQ(Text1()->text(), "ABC");
  EXPECT_EQ(TopRow(), abc);
}

TEST_F(ResultsWindowTest, LettersOverwriteAtTheCaretAndEverythingElseIsDropped) {
  WriteResults({});
  Open();
  Read();
  QTest::keyClicks(Text1(), "A1 b-");
  EXPECT_EQ(Text1()->text(), "Ab");
  Text1()->setText("ABC");
  Text1()->setCursorPosition(0);
  QTest::keyClicks(Text1(), "X");
  EXPECT_EQ(Text1()->text(), "XBC");
  EXPECT_EQ(Text1()->cursorPosition(), 1);
  EXPECT_EQ(TopRow(), *results::SuffixRow("XBC"));
  // Pasted text that is no suffix looks nothing up and fails nothing.
  Text1()->setText("A?");
  EXPECT_EQ(TopRow(), *results::SuffixRow("XBC"));
}

TEST_F(ResultsWindowTest, DeleteAndTheOtherEditingKeysEditTheLookupAndTheGridFollows) {
  WriteResults({});
  Open();
  Read();
  QTest::keyClicks(Text1(), "ABC");
  QTest::keyClick(Text1(), Qt::Key_Home);
  // Delete as X11 gives it, with a text of its own.
  QTest::sendKeyEvent(QTest::Click, Text1(), Qt::Key_Delete, QString(QChar(0x7f)), {});
  EXPECT_EQ(Text1()->text(), "BC");
  EXPECT_EQ(TopRow(), *results::SuffixRow("BC"));
  QTest::sendKeyEvent(QTest::Click, Text1(), Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, Text1(), Qt::Key_Delete, QString(QChar(0x7f)), {});
  EXPECT_EQ(Text1()->text(), "");
}

TEST_F(ResultsWindowTest, TabPassesThroughTheGridWithoutMovingIt) {
  WriteResults({});
  Open();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Read();
  QTest::keyClicks(Text1(), "AAA");
  const QModelIndex current = Grid()->currentIndex();
  const auto tab = [&](Qt::KeyboardModifiers modifiers, const char* focusAfter) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), focusAfter);
    EXPECT_EQ(TopRow(), 702);
    EXPECT_EQ(Grid()->currentIndex(), current);
  };
  // After a read the read button is off: from the box back to the grid, on round to the box.
  tab(Qt::ShiftModifier, "MSFlexGrid1");
  tab(Qt::ShiftModifier, "Command3");
  tab({}, "MSFlexGrid1");
  tab({}, "Text1");
}

TEST_F(ResultsWindowTest, FocusPutsTheCaretAtTheStart) {
  WriteResults({});
  Open();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Read();
  ASSERT_TRUE(Text1()->hasFocus());
  QTest::keyClicks(Text1(), "QR");
  Grid()->setFocus();
  Text1()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Text1()->cursorPosition(), 0);
  EXPECT_FALSE(Text1()->hasSelectedText());
  QTest::keyClicks(Text1(), "S");
  EXPECT_EQ(Text1()->text(), "SR");
}

TEST_F(ResultsWindowTest, GridFollowsTheHeightAndTheWidthSnapsBackTo6030) {
  Open();
  const QSize frame = window->FrameExtent();
  EXPECT_EQ(Grid()->height(), Px(2535));
  window->resize(window->width(), Px(1500) - frame.height());
  QApplication::processEvents();
  EXPECT_EQ(Grid()->height(), Px(795));
  window->resize(window->width(), Px(1500) - frame.height() - 1);
  QApplication::processEvents();
  EXPECT_EQ(Grid()->height(), Px(1935));
  window->resize(Px(9000), Px(4005));
  QApplication::processEvents();
  EXPECT_EQ(window->width() + frame.width(), Px(6030));
  EXPECT_EQ(Grid()->height(), Px(4005 + 390 - 705));
  EXPECT_EQ(Grid()->width(), Px(3300));
  window->resize(Px(3000), Px(4005));
  QApplication::processEvents();
  EXPECT_EQ(window->width(), Px(3000));
}

TEST_F(ResultsWindowTest, FirstOpeningCentresThenTheClosingPlaceIsRestored) {
  Open();
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  const QSize outer = window->size() + window->FrameExtent();
  EXPECT_NEAR(window->x(), (screen.width() - outer.width()) / 2, 1);
  EXPECT_NEAR(window->y(), (screen.height() - outer.height()) / 2, 1);
  window->move(Px(1500), Px(900));
  QApplication::processEvents();
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  EXPECT_TRUE(ui.Ended());
  QtUserInterface next;
  ResultsWindow again(folder.Path(), next, spreadsheet);
  EXPECT_EQ(again.pos(), QPoint(Px(1500), Px(900)));
}

TEST_F(ResultsWindowTest, StoredPlaceThatIsNoNumberGivesZero) {
  const app::SettingsStore settings(folder.Path());
  settings.WriteSetting(app::kForm2TopKey, "abc");
  settings.WriteSetting(app::kForm2LeftKey, " 750.5");
  window = std::make_unique<ResultsWindow>(folder.Path(), ui, spreadsheet);
  EXPECT_EQ(window->pos(), QPoint(Px(750.5), 0));
}

TEST_F(ResultsWindowTest, ClosingWritesOnlyItsPlaceAndEndsTheProgram) {
  const std::string before =
      "[SFXTAL]\r\nTevrak=/home/op/Tevrak.TDB\r\nForm1Top= 1200\r\nForm1Left= 2400\r\n"
      "諦め=NON\r\n";
  test_support::WriteBytes(folder / "SFXTAL.INI", platform::EncodeCp932(before));
  WriteResults({{3, "J"}});
  Open();
  Read();
  window->move(Px(600), Px(300));
  QApplication::processEvents();
  window->close();
  EXPECT_TRUE(ui.Ended());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(platform::DecodeCp932(test_support::ReadBytes(folder / "SFXTAL.INI")),
            before + "Form2Top= 300\r\nForm2Left= 600\r\n");
}

TEST_F(ResultsWindowTest, ClosingDuringTheReadEndsTheProgramAtOnce) {
  WriteResults({{0, "J"}});
  Open();
  // The first yield lets events run once its interval has passed.
  QTest::qWait(QtUserInterface::kYieldIntervalMs + 5);
  QTimer::singleShot(0, window.get(), [this] { window->close(); });
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  EXPECT_TRUE(ui.Ended());
  EXPECT_EQ(Caption(), "交信実績");
  EXPECT_EQ(Grid()->model()->index(kLastRow, 0).data().toString(), "");
  const app::SettingsStore settings(folder.Path());
  std::string top;
  settings.ReadSetting(app::kForm2TopKey, top);
  EXPECT_FALSE(top.empty());
}

}  // namespace
}  // namespace sfxtal::ui
