#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"

namespace sfxtal::app {

/// What the program hands to the spreadsheet application, each job with its workbook in the
/// program folder and the macro it runs there.
enum class SpreadsheetJob {
  kTally,             // sfxtal.xls, "F_Read": the work file tallied into the results
  kView,              // sfxtal.xls, no macro: the results shown
  kAwardApplication,  // nebu_SET.xls, "変換": the award application
};

inline constexpr std::string_view kResultsWorkbookName = "sfxtal.xls";
inline constexpr std::string_view kAwardWorkbookName = "nebu_SET.xls";
inline constexpr std::string_view kTallyMacro = "F_Read";
inline constexpr std::string_view kAwardMacro = "変換";

/// The workbook's file name of a job, and its macro ("" for none).
std::string_view JobWorkbookName(SpreadsheetJob job);
std::string_view JobMacro(SpreadsheetJob job);

/// Chooses who does a job when it starts: the operator's own spreadsheet program, or the
/// program's built-in stand-in.
class SpreadsheetChooser {
 public:
  virtual ~SpreadsheetChooser() = default;
  /// The application that will open `workbook` for `job`, or nullptr when none can be started.
  virtual std::unique_ptr<platform::SpreadsheetApplication> Start(
      SpreadsheetJob job, const std::filesystem::path& workbook) = 0;
};

/// How a hand-over to the spreadsheet application went.
enum class HandOverResult {
  kDone,         // every call made and carried out
  kNotStarted,   // the application could not be created; nothing shown
  kOpenFailed,   // the workbook did not open (the application said why); no macro run
  kMacroFailed,  // the macro failed (the application said why)
  kStopped,      // the program was ended while the workbook opened; no macro run
};

/// The hand-over of `job`, its calls in order: start the application (when it cannot be,
/// nothing more happens and nothing is shown), make it visible, open the job's workbook from the
/// program folder, let window events run once, run the job's macro (if it has one), release it
/// to the operator. The busy pointer is shown from the application's start to its release. When
/// the program is ended during the yield, no macro is run; the program is already on its way out.
HandOverResult HandOver(platform::UserInterface& ui, SpreadsheetChooser& chooser,
                        const std::filesystem::path& programFolder, SpreadsheetJob job);
HandOverResult HandOver(platform::UserInterface&, SpreadsheetChooser&,
                        const platform::NarrowText auto&, SpreadsheetJob) = delete;

inline constexpr std::string_view kTallyMode = "FREAD";
inline constexpr std::string_view kViewMode = "NONFREAD";

/// excel_x: the tally when `mode` is exactly "FREAD", else the view. An application that cannot
/// be created is passed over without a word. The caller ends the program afterwards whatever the
/// result.
HandOverResult ExcelX(platform::UserInterface& ui, const std::filesystem::path& programFolder,
                      std::string_view mode, SpreadsheetChooser& chooser);
HandOverResult ExcelX(platform::UserInterface&, const platform::NarrowText auto&, std::string_view,
                      SpreadsheetChooser&) = delete;

/// Nebu_excel: the award application. What the macro reports is left to it; the result is for the
/// caller's information, the results window ends in the same state whatever it is.
HandOverResult NebuExcel(platform::UserInterface& ui, const std::filesystem::path& programFolder,
                         SpreadsheetChooser& chooser);
HandOverResult NebuExcel(platform::UserInterface&, const platform::NarrowText auto&,
                         SpreadsheetChooser&) = delete;

}  // namespace sfxtal::app
