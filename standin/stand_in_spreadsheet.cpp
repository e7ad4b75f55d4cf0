#include "standin/stand_in_spreadsheet.h"

#include "app/applicant.h"
#include "app/settings_store.h"
#include "app/spreadsheet_hand_over.h"
#include "importer/import_texts.h"
#include "platform/file_exists.h"
#include "platform/open_elsewhere.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/text_file.h"
#include "results/results_file.h"
#include "results/results_texts.h"
#include "standin/award_application.h"
#include "standin/results_workbook.h"
#include "standin/standin_texts.h"
#include "standin/tally.h"

namespace sfxtal::standin {

void RecoverProgramFolder(const std::filesystem::path& folder) {
  platform::RecoverReplacements(folder, {results::kResultsFileName, kResultsBookName,
                                         kAwardBookName, app::kSettingsFileName});
}

std::optional<TallyOutcome> TallyWorkFileToResults(platform::UserInterface& ui,
                                                   const std::filesystem::path& folder) {
  RecoverProgramFolder(folder);
  const std::filesystem::path resultsFile =
      folder / platform::PathFromUtf8(results::kResultsFileName);
  const std::filesystem::path book = folder / platform::PathFromUtf8(standin::kResultsBookName);
  // Replaced under a spreadsheet program's feet, either would still show its old figures there,
  // and saved from there would undo the tally: neither is replaced while one is open.
  for (const std::filesystem::path& file : {resultsFile, book}) {
    if (const std::optional<std::string> held = platform::HeldFileMessage(file)) {
      ui.ShowMessage(*held);
      return std::nullopt;
    }
  }
  const std::filesystem::path workFile = folder / platform::PathFromUtf8(importer::kWorkFileName);
  const std::optional<Tally> tally = TallyWorkFile(workFile);
  if (!tally) {
    // Tallying nothing would wipe out the operator's results; keep them instead.
    ui.ShowMessage(platform::WithPath(platform::kCannotReadMessage, workFile));
    return std::nullopt;
  }
  // What the results stood at, read before anything replaces them.
  const ResultChanges changes = CompareWithEarlier(*tally, ReadEarlierResults(resultsFile));
  // 実績.txt and sfxtal.xlsx never disagree: both are first made whole beside their targets
  // under hidden names, and only when both are complete do they take their places, one rename
  // each, 実績.txt first with its old file kept aside, after a journal that names them all.
  // Should sfxtal.xlsx not take its place (on Windows, for one, while a spreadsheet program holds
  // it open), 実績.txt gets its old file back. A failure at any step therefore leaves both old
  // files as they were, and a run ended at any instant leaves a journal from which the next run
  // finishes the replacement (RecoverProgramFolder).
  platform::SiblingFile results(resultsFile);
  if (results.Create() < 0 || !results.Write(ResultsFileBytes(*tally))) {
    ui.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, resultsFile));
    return std::nullopt;
  }
  WorkbookFile bookFile(book);
  if (!BuildResultsWorkbook(bookFile, *tally, changes)) {
    ui.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, book));
    return std::nullopt;
  }
  const int failed = platform::SiblingFile::CommitTogether({&results, &bookFile.File()}, true);
  if (failed >= 0) {
    ui.ShowMessage(
        platform::WithPath(platform::kCannotWriteMessage, failed == 0 ? resultsFile : book));
    return std::nullopt;
  }
  return TallyOutcome{book, changes.Counts()};
}

void ShowResultsBook(platform::UserInterface& ui, const std::filesystem::path& folder) {
  RecoverProgramFolder(folder);
  const std::filesystem::path book = folder / platform::PathFromUtf8(standin::kResultsBookName);
  if (platform::FileExists(book)) {
    ui.OpenFile(book);
  } else {
    ui.ShowMessage(platform::WithPath(standin::kNoResultsBookMessage, book));
  }
}

bool StandInSpreadsheet::OpenWorkbook(const std::filesystem::path& filename) {
  // The job was chosen with the stand-in; the workbook only says where to work.
  folder_ = filename.parent_path();
  return true;
}

bool StandInSpreadsheet::RunMacro(const std::string& macro) {
  produced_.reset();
  switch (job_) {
    case app::SpreadsheetJob::kTally:
      if (const std::optional<TallyOutcome> outcome = TallyWorkFileToResults(ui_, folder_)) {
        produced_ = outcome->book;
        if (tallyChanges_ != nullptr) *tallyChanges_ = outcome->changes;
      }
      break;
    case app::SpreadsheetJob::kAwardApplication:
      // The applicant is the one the program folder's settings name.
      produced_ = MakeAwardApplication(ui_, folder_, app::ReadApplicant(folder_));
      break;
    case app::SpreadsheetJob::kView:
      ui_.ShowMessage(std::string(platform::kNoSuchMacroMessage) + "\n" + macro);
      return false;
  }
  return produced_.has_value();
}

void StandInSpreadsheet::Release() {
  if (!visible_) return;
  if (job_ == app::SpreadsheetJob::kView) {
    ShowResultsBook(ui_, folder_);
  } else if (produced_) {
    ui_.OpenFile(*produced_);
  }
}

}  // namespace sfxtal::standin
