#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "results/results_file.h"

struct lxw_workbook;

namespace sfxtal::standin {

inline constexpr const char* kAwardApplicationFile = "NEBU申請書.xlsx";
inline constexpr const char* kAwardTitle = "NEBU クラブアワード 申請書";

/// One confirmed suffix as the application lists it.
struct AwardEntry {
  std::string suffix;
  std::string baseCall;
  std::string date;
  std::string mark;

  bool operator==(const AwardEntry&) const = default;
};

/// The confirmed suffixes of the results file's bytes, in the file's (suffix) order: records of
/// four fields, a line break separating fields like a comma, at most 18,278 of them.
std::vector<AwardEntry> ConfirmedEntries(std::string_view resultsFileBytes);
/// The same, from the records as they come.
std::vector<AwardEntry> ConfirmedEntries(results::ResultsRecordReader& reader);

/// Fills the application: the title, the confirmed count out of 18,278 and its percentage, and a
/// numbered table of the entries, laid out for A4 with the table's heading on every page.
bool FillAwardApplication(lxw_workbook* workbook, const std::vector<AwardEntry>& entries);

/// Writes the application to `path` through a temporary file and a rename; false when it could
/// not be written (the old workbook is then untouched).
bool WriteAwardApplication(const std::filesystem::path& path,
                           const std::vector<AwardEntry>& entries);

/// "変換" of nebu_SET.xls: NEBU申請書.xlsx in `folder` from 実績.txt there. The workbook written,
/// or nothing after a message ("実績ファイルが見当たりません" when there is no results file).
std::optional<std::filesystem::path> MakeAwardApplication(platform::UserInterface& ui,
                                                          const std::filesystem::path& folder);

}  // namespace sfxtal::standin
