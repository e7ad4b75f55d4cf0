#include "results/results_window_rules.h"

#include "results/award_output.h"
#include "results/results_check.h"
#include "results/results_texts.h"
#include "results/suffix_row.h"
#include "results/totals.h"

namespace sfxtal::results {

ResultsWindowRules::ResultsWindowRules(std::filesystem::path programFolder,
                                       platform::UserInterface& ui, ResultsView& view)
    : programFolder_(std::move(programFolder)),
      ui_(ui),
      view_(view),
      buttons_(AwardBookPresent(programFolder_)),
      caption_(kResultsCaption) {
  view_.ShowControls(buttons_.Controls());
  buttons_.OnChanged([this](const ResultsControls& controls) { view_.ShowControls(controls); });
}

void ResultsWindowRules::Command1_Click() {
  buttons_.ReadStarted();
  bool suspended = false;
  const auto read =
      ReadResultsFile(programFolder_, ui_, table_, [this, &suspended](int, const ResultRow&) {
        // Suspended from the first record on, so the whole read costs one repaint.
        if (suspended) return;
        view_.SetGridRedraw(false);
        suspended = true;
      });
  // Closed during the read: the program is over and the window stays as it is.
  if (ui_.Ended()) return;
  if (!read) {
    buttons_.ResultsMissing();
    return;
  }
  if (read->recordCount > 0) view_.GridRowsChanged(read->recordCount);
  caption_ = CaptionWithTotals(caption_, read->ConfirmedCount);
  view_.SetCaption(caption_);
  if (suspended) view_.SetGridRedraw(true);
  buttons_.ReadCompleted();
  // Totals of a file the application would refuse are not shown as if sound.
  if (!read->stopped) WarnIfResultsFileUnsound(ui_, programFolder_);
  view_.FocusLookupBox();
}

void ResultsWindowRules::Command3_Click(const std::function<void()>& output) {
  buttons_.RunOutput(output);
}

void ResultsWindowRules::Text1_Change(std::string_view text) {
  const std::optional<int> row = SuffixRow(text);
  if (row) view_.ScrollGridToTop(*row);
}

}  // namespace sfxtal::results
