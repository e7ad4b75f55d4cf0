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
#include "results/results_window_form.h"
#include "results/results_window_size.h"
#include "results/suffix_row.h"
#include "results/totals.h"
#include "ui/command_button.h"
#include "ui/form_builder.h"
#include "ui/results_grid_model.h"
#include "ui/suffix_lookup_box.h"
#include "ui/twips.h"

namespace sfxtal::ui {

ResultsWindow::ResultsWindow(std::filesystem::path programFolder, QtUserInterface& ui,
                             app::SpreadsheetChooser& spreadsheet, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      buttons_(results::AwardBookPresent(programFolder_)),
      caption_(results::kResultsCaption) {
  resize(Pixels(*this, results::kResultsWindowForm.clientWidth),
         Pixels(*this, results::kResultsWindowForm.clientHeight));
  model_ = new ResultsGridModel(this);
  BuildForm(*this, results::kResultsWindowForm,
            [](const platform::ControlDescription& control) -> QWidget* {
              if (control.name == "Text1") return new SuffixLookupBox;
              return nullptr;
            });
  MSFlexGrid1 = FormControl<QTableView>(*this, "MSFlexGrid1");
  Command1 = FormControl<QPushButton>(*this, "Command1");
  Text1 = FormControl<SuffixLookupBox>(*this, "Text1");
  Command2 = FormControl<QPushButton>(*this, "Command2");
  Command3 = FormControl<QPushButton>(*this, "Command3");

  MSFlexGrid1->setModel(model_);
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
  fixedColumn->setFixedWidth(Pixels(*this, results::kGridColumnWidths[0]));
  const int rowHeight =
      std::max(Pixels(*this, results::kGridRowHeight), MSFlexGrid1->fontMetrics().height() + 2);
  fixedColumn->setMinimumSectionSize(1);
  fixedColumn->setDefaultSectionSize(rowHeight);
  MSFlexGrid1->setColumnWidth(1, Pixels(*this, results::kGridColumnWidths[1]));
  MSFlexGrid1->setColumnWidth(2, Pixels(*this, results::kGridColumnWidths[2]));

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
    const QPoint place = NormalOuterPlace(*this);
    app::SaveResultsWindowPlace(app::SettingsStore(programFolder_),
                                {Twips(*this, place.x()), Twips(*this, place.y())});
    // Nothing else runs: the hidden main window's closing steps are not this road's.
    ui_.EndProgram();
  }
  event->accept();
}

}  // namespace sfxtal::ui
