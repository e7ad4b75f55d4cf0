#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"

namespace sfxtal::standin {

/// "F_Read" of sfxtal.xls: tallies sfxtal.tmp in `folder` into 実績.txt and sfxtal.xlsx. The two
/// are replaced together or not at all; the first failure is reported and ends the job. The
/// workbook written, or nothing after a message.
std::optional<std::filesystem::path> TallyWorkFileToResults(platform::UserInterface& ui,
                                                            const std::filesystem::path& folder);
std::optional<std::filesystem::path> TallyWorkFileToResults(
    platform::UserInterface&, const platform::NarrowText auto&) = delete;

/// The view of sfxtal.xls without a macro: hands the existing sfxtal.xlsx in `folder` to the
/// desktop, or tells the operator there is none yet.
void ShowResultsBook(platform::UserInterface& ui, const std::filesystem::path& folder);
void ShowResultsBook(platform::UserInterface&, const platform::NarrowText auto&) = delete;

/// The built-in stand-in for the spreadsheet application. It knows the workbooks by their file
/// name (letter case aside) and works in the workbook's folder: sfxtal.xls with "F_Read" is the
/// tally, sfxtal.xls without a macro the view, nebu_SET.xls with "変換" the award application.
/// On release, when it was made visible, the workbook it produced (or, with no macro run, the
/// view) goes to the desktop.
class StandInSpreadsheet : public platform::SpreadsheetApplication {
 public:
  explicit StandInSpreadsheet(platform::UserInterface& ui) : ui_(ui) {}

  void SetVisible(bool visible) override { visible_ = visible; }
  bool OpenWorkbook(const std::filesystem::path& filename) override;
  bool RunMacro(const std::string& macro) override;
  void Release() override;

 private:
  enum class Book { kNone, kResults, kAward };

  platform::UserInterface& ui_;
  bool visible_ = false;
  Book book_ = Book::kNone;
  std::filesystem::path folder_;
  bool ranMacro_ = false;
  std::optional<std::filesystem::path> produced_;
};

/// Gives the stand-in; it can always be created.
class StandInFactory : public platform::SpreadsheetFactory {
 public:
  explicit StandInFactory(platform::UserInterface& ui) : ui_(ui) {}
  std::unique_ptr<platform::SpreadsheetApplication> Create(
      const std::filesystem::path& /*workbook*/) override {
    return std::make_unique<StandInSpreadsheet>(ui_);
  }

 private:
  platform::UserInterface& ui_;
};

}  // namespace sfxtal::standin
