#pragma once

#include <filesystem>
#include <memory>

#include "platform/com_spreadsheet.h"
#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"
#include "standin/stand_in_spreadsheet.h"

namespace sfxtal::standin {

/// The spreadsheet application of each hand-over, chosen when it starts: the operator's own
/// spreadsheet program when it is installed and the workbook the hand-over opens is in the
/// program folder (letter case aside), since the work is that workbook's macro; otherwise the
/// built-in stand-in. Where there is no such program (Linux), always the stand-in. Every entry
/// point hands this to the logic, so that the windows and sfxtal-cli choose alike.
class SpreadsheetChoice : public platform::SpreadsheetFactory {
 public:
  explicit SpreadsheetChoice(platform::UserInterface& ui) : program_(ui), standIn_(ui) {}

  std::unique_ptr<platform::SpreadsheetApplication> Create(
      const std::filesystem::path& workbook) override;

  /// True when the last Create went to the operator's program, whose macro made what it made.
  bool ProgramChosen() const { return programChosen_; }

 private:
  platform::ComSpreadsheetFactory program_;
  StandInFactory standIn_;
  bool programChosen_ = false;
};

}  // namespace sfxtal::standin
