#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/spreadsheet_hand_over.h"
#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"
#include "standin/results_changes.h"

namespace sfxtal::standin {

/// Makes the files the program replaces in `folder` (実績.txt with sfxtal.xlsx, NEBU申請書.xlsx,
/// SFXTAL.INI) whole after a run that ended in the middle of replacing them: 実績.txt and
/// sfxtal.xlsx both old or both new, and no hidden temporary file of a run no longer running
/// left beside them. Every start in a program folder and every job of the stand-in does it first.
void RecoverProgramFolder(const std::filesystem::path& folder);
void RecoverProgramFolder(const platform::NarrowText auto&) = delete;

/// What a tally wrote: the workbook, and what changed against the results it replaced.
struct TallyOutcome {
  std::filesystem::path book;
  ChangeCounts changes;
};

/// "F_Read" of sfxtal.xls: tallies sfxtal.tmp in `folder` into 実績.txt and sfxtal.xlsx, the
/// workbook's sheet "新規" comparing with the 実績.txt being replaced. The two are replaced
/// together or not at all; the first failure is reported and ends the job. What was written, or
/// nothing after a message.
std::optional<TallyOutcome> TallyWorkFileToResults(platform::UserInterface& ui,
                                                   const std::filesystem::path& folder);
std::optional<TallyOutcome> TallyWorkFileToResults(platform::UserInterface&,
                                                   const platform::NarrowText auto&) = delete;

/// The view of sfxtal.xls without a macro: hands the existing sfxtal.xlsx in `folder` to the
/// desktop, or tells the operator there is none yet.
void ShowResultsBook(platform::UserInterface& ui, const std::filesystem::path& folder);
void ShowResultsBook(platform::UserInterface&, const platform::NarrowText auto&) = delete;

/// The built-in stand-in for the spreadsheet application, made for one job and working in the
/// folder of the workbook it opens: the tally (TallyWorkFileToResults), the view
/// (ShowResultsBook) or the award application (MakeAwardApplication), done when the job's macro
/// is run. On release, when it was made visible, the workbook it produced (or, for the view,
/// the results workbook) goes to the desktop. A tally's change counts go to `tallyChanges` when
/// one is given.
class StandInSpreadsheet : public platform::SpreadsheetApplication {
 public:
  StandInSpreadsheet(platform::UserInterface& ui, app::SpreadsheetJob job,
                     std::optional<ChangeCounts>* tallyChanges = nullptr)
      : ui_(ui), job_(job), tallyChanges_(tallyChanges) {}

  void SetVisible(bool visible) override { visible_ = visible; }
  bool OpenWorkbook(const std::filesystem::path& filename) override;
  bool RunMacro(const std::string& macro) override;
  void Release() override;

 private:
  platform::UserInterface& ui_;
  app::SpreadsheetJob job_;
  std::optional<ChangeCounts>* tallyChanges_;
  bool visible_ = false;
  std::filesystem::path folder_;
  std::optional<std::filesystem::path> produced_;
};

/// The stand-in for every job, whatever is installed: for work that must not reach the
/// operator's own spreadsheet program (tests, the pictures of the windows).
class StandInFactory : public app::SpreadsheetChooser {
 public:
  explicit StandInFactory(platform::UserInterface& ui) : ui_(ui) {}
  std::unique_ptr<platform::SpreadsheetApplication> Start(
      app::SpreadsheetJob job, const std::filesystem::path& /*workbook*/) override {
    return std::make_unique<StandInSpreadsheet>(ui_, job);
  }

 private:
  platform::UserInterface& ui_;
};

}  // namespace sfxtal::standin
