#include "ui/results_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTableView>

#include "app/window_places.h"
#include "results/results_window_form.h"
#include "results/results_window_size.h"
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
      spreadsheet_(spreadsheet) {
  resize(Pixels(*this, results::kResultsWindowForm.clientWidth),
         Pixels(*this, results::kResultsWindowForm.clientHeight));
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
  rules_.emplace(programFolder_, ui_, static_cast<results::ResultsView&>(*this));

  model_ = new ResultsGridModel(rules_->Table(), this);
  MSFlexGrid1->setModel(model_);
  MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MSFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  // Tab goes on to the next control, as in the rest of the window; it does not walk the cells.
  MSFlexGrid1->setTabKeyNavigation(false);
  // A cell keeps to one line, as in the list view on Windows: wrapped at its "/", a long portable
  // call would show only its last part ("P" of "KH6/JA1BCD/P") in a row one line high.
  MSFlexGrid1->setWordWrap(false);
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

  connect(Command1, &QPushButton::clicked, this, [this] { rules_->Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, &QWidget::close);
  connect(Command3, &QPushButton::clicked, this, [this] {
    rules_->Command3_Click([this] { app::NebuExcel(ui_, programFolder_, spreadsheet_); });
  });
  connect(Text1, &QLineEdit::textChanged, this,
          [this](const QString& text) { rules_->Text1_Change(text.toStdString()); });
  Form_Load();
}

ResultsWindow::~ResultsWindow() {
  // The grid's table goes with the rules, before the widgets that may still ask it for texts.
  MSFlexGrid1->setModel(nullptr);
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

void ResultsWindow::SetGridRedraw(bool on) {
  MSFlexGrid1->setUpdatesEnabled(on);
}

void ResultsWindow::GridRowsChanged(int rowCount) {
  model_->RowsChanged(rowCount);
}

void ResultsWindow::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void ResultsWindow::FocusLookupBox() {
  Text1->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::ScrollGridToTop(int row) {
  MSFlexGrid1->scrollTo(model_->index(row, 1), QAbstractItemView::PositionAtTop);
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
  const QPoint place = NormalOuterPlace(*this);
  app::CloseResultsWindow(ui_, app::SettingsStore(programFolder_),
                          {Twips(*this, place.x()), Twips(*this, place.y())});
  event->accept();
}

}  // namespace sfxtal::ui
