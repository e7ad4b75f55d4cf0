#include "standin/stand_in_spreadsheet.h"

#include <future>
#include <system_error>

#include "platform/file_exists.h"
#include "platform/text_file.h"
#include "results/results_file.h"
#include "standin/award_application.h"
#include "standin/results_workbook.h"
#include "standin/tally.h"

namespace sfxtal::standin {
namespace {

std::string WithPath(const char* message, const std::filesystem::path& path) {
  return std::string(message) + "\n" + path.string();
}

bool SameNameIgnoringCase(const std::string& name, const char* wanted) {
  const std::string_view other(wanted);
  if (name.size() != other.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(name[i]) != lower(other[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::filesystem::path> TallyWorkFileToResults(platform::UserInterface& ui,
                                                            const std::filesystem::path& folder) {
  const std::filesystem::path workFile = folder / kWorkFile;
  const std::optional<Tally> tally = TallyWorkFile(workFile);
  if (!tally) {
    // Tallying nothing would wipe out the operator's results; keep them instead.
    ui.ShowMessage(WithPath(platform::kCannotReadMessage, workFile));
    return std::nullopt;
  }
  const std::filesystem::path resultsFile = folder / results::kResultsFileName;
  platform::SiblingFile results(resultsFile);
  if (results.Create() < 0 || !results.Write(ResultsFileBytes(*tally))) {
    ui.ShowMessage(WithPath(platform::kCannotWriteMessage, resultsFile));
    return std::nullopt;
  }
  // 実績.txt is synced to the disk while the workbook is built: the one waits for the disk, the
  // other for the processor. The workbook takes its place only once 実績.txt has taken its own,
  // so that the files are replaced in the same order, and not at all after a failure, as ever.
  std::future<bool> resultsCommitted;
  try {
    resultsCommitted = std::async(std::launch::async, [&results] { return results.Commit(true); });
  } catch (const std::system_error&) {
    // No thread to spare: 実績.txt is then synced after the workbook is built.
  }
  const std::filesystem::path book = folder / kResultsBookFile;
  WorkbookFile bookFile(book);
  const bool built = BuildResultsWorkbook(bookFile, *tally);
  if (!(resultsCommitted.valid() ? resultsCommitted.get() : results.Commit(true))) {
    ui.ShowMessage(WithPath(platform::kCannotWriteMessage, resultsFile));
    return std::nullopt;
  }
  if (!built || !bookFile.Commit()) {
    ui.ShowMessage(WithPath(platform::kCannotWriteMessage, book));
    return std::nullopt;
  }
  return book;
}

void ShowResultsBook(platform::UserInterface& ui, const std::filesystem::path& folder) {
  const std::filesystem::path book = folder / kResultsBookFile;
  if (platform::FileExists(book)) {
    ui.OpenFile(book);
  } else {
    ui.ShowMessage(WithPath(platform::kNoResultsBookMessage, book));
  }
}

bool StandInSpreadsheet::OpenWorkbook(const std::filesystem::path& filename) {
  const std::string name = filename.filename().string();
  Book book = Book::kNone;
  if (SameNameIgnoringCase(name, platform::kResultsWorkbookName)) book = Book::kResults;
  if (SameNameIgnoringCase(name, platform::kAwardWorkbookName)) book = Book::kAward;
  if (book == Book::kNone) {
    ui_.ShowMessage(WithPath(platform::kCannotOpenBookMessage, filename));
    return false;
  }
  book_ = book;
  folder_ = filename.parent_path();
  return true;
}

bool StandInSpreadsheet::RunMacro(const std::string& macro) {
  ranMacro_ = true;
  produced_.reset();
  if (book_ == Book::kResults && macro == platform::kTallyMacro) {
    produced_ = TallyWorkFileToResults(ui_, folder_);
  } else if (book_ == Book::kAward && macro == platform::kAwardMacro) {
    produced_ = standin::MakeAwardApplication(ui_, folder_);
  } else {
    ui_.ShowMessage(std::string(platform::kNoSuchMacroMessage) + "\n" + macro);
    return false;
  }
  return produced_.has_value();
}

void StandInSpreadsheet::Release() {
  if (!visible_) return;
  if (ranMacro_) {
    if (produced_) ui_.OpenFile(*produced_);
  } else if (book_ == Book::kResults) {
    ShowResultsBook(ui_, folder_);
  }
}

}  // namespace sfxtal::standin
