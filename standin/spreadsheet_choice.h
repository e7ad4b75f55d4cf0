#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/com_spreadsheet.h"
#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"
#include "standin/stand_in_spreadsheet.h"

namespace sfxtal::standin {

/// Who does each spreadsheet job, chosen when it starts: the operator's own spreadsheet program
/// when it is installed and the job's workbook is in the program folder (letter case aside),
/// since the work is that workbook's macro; otherwise the built-in stand-in, made for the job.
/// Where there is no such program (Linux), always the stand-in. Every entry point hands this to
/// the logic, so that the windows and sfxtal-cli choose alike.
class SpreadsheetChoice : public app::SpreadsheetChooser {
 public:
  explicit SpreadsheetChoice(platform::UserInterface& ui) : ui_(ui), program_(ui) {}

  std::unique_ptr<platform::SpreadsheetApplication> Start(
      app::SpreadsheetJob job, const std::filesystem::path& workbook) override;

  /// True when the last Create went to the operator's program, whose macro made what it made.
  bool ProgramChosen() const { return programChosen_; }
  /// What the stand-in's last tally changed in the results; nothing before one has been written.
  const std::optional<ChangeCounts>& TallyChanges() const { return tallyChanges_; }

 private:
  platform::UserInterface& ui_;
  platform::ComSpreadsheetFactory program_;
  bool programChosen_ = false;
  std::optional<ChangeCounts> tallyChanges_;
};

}  // namespace sfxtal::standin
