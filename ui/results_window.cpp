#include "ui/results_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTableView>

#include "app/window_places.h"
#include "results/award_output.h"
#include "results/results_check.h"
#include "results/results_window_size.h"
#include "results/suffix_row.h"
#include "results/totals.h"
#include "ui/command_button.h"
#include "ui/results_grid_model.h"
#include "ui/suffix_lookup_box.h"
#include "ui/twips.h"

namespace sfxtal::ui {
namespace {

// Places and sizes of the controls, in twips.
struct Place {
  double left, top, width, height;
};
constexpr Place kGridPlace{120, 120, 3300, 2535};
constexpr Place kCommand1Place{3720, 840, 1815, 495};
constexpr Place kText1Place{4080, 240, 1215, 330};
constexpr Place kCommand2Place{3720, 1560, 1815, 495};
constexpr Place kCommand3Place{3720, 2280, 1815, 495};
constexpr double kColumnWidths[] = {700, 900, 1400};
// The grid's row height for its 9-point font.
constexpr double kRowHeight = 240;

}  // namespace

ResultsWindow::ResultsWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                             app::SpreadsheetChooser& spreadsheet, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      buttons_(results::AwardBookPresent(programFolder_)),
      caption_(results::kResultsCaption) {
  setWindowTitle(QString::fromStdString(caption_));
  resize(Pixels(*this, results::kResultsClientWidth), Pixels(*this, results::kResultsClientHeight));

  const auto place = [this](QWidget* control, const Place& at) {
    control->setGeometry(Pixels(*this, at.left), Pixels(*this, at.top), Pixels(*this, at.width),
                         Pixels(*this, at.height));
  };

  // Created in tab order, so the focus chain is the tab order.
  model_ = new ResultsGridModel(this);
  MSFlexGrid1 = new QTableView(this);
  MSFlexGrid1->setObjectName("MSFlexGrid1");
  MSFlexGrid1->setModel(model_);
  MSFlexGrid1->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  MSFlexGrid1->setToolTip(QStringLiteral("黒がコンファーム済みです"));
  MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MSFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  // Tab goes on to the next control, as in the rest of the window; it does not walk the cells.
  MSFlexGrid1->setTabKeyNavigation(false);
  MSFlexGrid1->horizontalHeader()->hide();
  // Column 0 is the vertical heading: fixed at the left, drawn like a heading, never scrolled
  // sideways.
  MSFlexGrid1->setColumnHidden(0, true);
  QHeaderView* fixedColumn = MSFlexGrid1->verticalHeader();
  fixedColumn->setSectionResizeMode(QHeaderView::Fixed);
  fixedColumn->setSectionsClickable(false);
  fixedColumn->setFixedWidth(Pixels(*this, kColumnWidths[0]));
  const int rowHeight =
      std::max(Pixels(*this, kRowHeight), MSFlexGrid1->fontMetrics().height() + 2);
  fixedColumn->setMinimumSectionSize(1);
  fixedColumn->setDefaultSectionSize(rowHeight);
  MSFlexGrid1->setColumnWidth(1, Pixels(*this, kColumnWidths[1]));
  MSFlexGrid1->setColumnWidth(2, Pixels(*this, kColumnWidths[2]));
  place(MSFlexGrid1, kGridPlace);

  Command1 = new CommandButton(QStringLiteral("実績データ読込"), this);
  Command1->setObjectName("Command1");
  Command1->setToolTip(QStringLiteral("実績データを読込みます"));
  place(Command1, kCommand1Place);

  Text1 = new SuffixLookupBox(this);
  Text1->setObjectName("Text1");
  Text1->setToolTip(QStringLiteral("ここにサフィックスを指定します"));
  QFont text1Font(QStringLiteral("ＭＳ 明朝"));
  text1Font.setPointSizeF(11.25);
  Text1->setFont(text1Font);
  place(Text1, kText1Place);

  Command2 = new CommandButton(QStringLiteral("終了"), this);
  Command2->setObjectName("Command2");
  Command2->setToolTip(QStringLiteral("終了します"));
  place(Command2, kCommand2Place);

  Command3 = new CommandButton(QStringLiteral("NEBU 出力"), this);
  Command3->setObjectName("Command3");
  Command3->setToolTip(QStringLiteral("NEBU 申請書の作成をします"));
  place(Command3, kCommand3Place);

  setTabOrder(MSFlexGrid1, Command1);
  setTabOrder(Command1, Text1);
  setTabOrder(Text1, Command2);
  setTabOrder(Command2, Command3);

  connect(Command1, &QPushButton::clicked, this, &ResultsWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &ResultsWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &ResultsWindow::Command3_Click);
  connect(Text1, &QLineEdit::textChanged, this, &ResultsWindow::Text1_Change);

  ShowControls(buttons_.Controls());
  buttons_.OnChanged([this](const results::ResultsControls& controls) { ShowControls(controls); });
  Form_Load();
}

QSize ResultsWindow::FrameExtent() const {
  return {Pixels(*this, results::kResultsFrameWidth), Pixels(*this, results::kResultsFrameHeight)};
}

void ResultsWindow::Form_Load() {
  // The current cell starts in row 1, without being selected.
  MSFlexGrid1->selectionModel()->setCurrentIndex(model_->index(1, 1),
                                                 QItemSelectionModel::NoUpdate);

  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize();
  const QSize outer = size() + FrameExtent();
  const app::PlaceTwips place = app::LoadResultsWindowPlace(
      app::SettingsStore(programFolder_),
      {Twips(*this, screenSize.width()), Twips(*this, screenSize.height())},
      {Twips(*this, outer.width()), Twips(*this, outer.height())});
  move(Pixels(*this, place.Left), Pixels(*this, place.Top));
}

void ResultsWindow::ShowControls(const results::ResultsControls& controls) {
  Command1->setEnabled(controls.command1);
  Command3->setEnabled(controls.command3);
  Text1->setEnabled(controls.text1);
}

void ResultsWindow::Command1_Click() {
  buttons_.ReadStarted();
  bool suspended = false;
  const auto read =
      model_->Read(programFolder_, ui_, [this, &suspended](int, const results::ResultRow&) {
        // Suspended from the first record on, so the whole read costs one repaint.
        if (suspended) return;
        MSFlexGrid1->setUpdatesEnabled(false);
        suspended = true;
      });
  // Closed during the read: the program is over and the window stays as it is.
  if (ui_.Ended()) return;
  if (!read) {
    buttons_.ResultsMissing();
    return;
  }
  caption_ = results::CaptionWithTotals(caption_, read->ConfirmedCount);
  setWindowTitle(QString::fromStdString(caption_));
  if (suspended) MSFlexGrid1->setUpdatesEnabled(true);
  buttons_.ReadCompleted();
  // Totals of a file the application would refuse are not shown as if sound.
  if (!read->stopped) results::WarnIfResultsFileUnsound(ui_, programFolder_);
  Text1->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::Command2_Click() {
  close();
}

void ResultsWindow::Command3_Click() {
  buttons_.RunOutput([this] { app::NebuExcel(ui_, programFolder_, spreadsheet_); });
}

void ResultsWindow::Text1_Change(const QString& text) {
  const QByteArray typed = text.toUtf8();
  const std::optional<int> row = results::SuffixRow(
      std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
  // Pasted text that is not one to three letters looks nothing up.
  if (!row) return;
  MSFlexGrid1->scrollTo(model_->index(*row, 1), QAbstractItemView::PositionAtTop);
}

void ResultsWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize frame = FrameExtent();
  const int outerWidth = width() + frame.width();
  const int cappedWidth = Pixels(*this, results::CappedOuterWidth(Twips(*this, outerWidth)));
  if (cappedWidth < outerWidth) resize(cappedWidth - frame.width(), height());
  const double outerHeight = Twips(*this, height() + frame.height());
  MSFlexGrid1->resize(MSFlexGrid1->width(), Pixels(*this, results::GridHeight(outerHeight)));
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
  if (!ui_.Ended()) {
    app::SaveResultsWindowPlace(app::SettingsStore(programFolder_),
                                {Twips(*this, x()), Twips(*this, y())});
    // Nothing else runs: the hidden main window's closing steps are not this road's.
    ui_.EndProgram();
  }
  event->accept();
}

}  // namespace sfxtal::ui
