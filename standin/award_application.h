#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/applicant.h"
#include "platform/path_text.h"
#include "platform/user_interface.h"
#include "results/results_file.h"

struct lxw_workbook;

namespace sfxtal::standin {

inline constexpr const char* kAwardTitle = "NEBU クラブアワード 申請書";

/// One confirmed suffix as the application lists it.
struct AwardEntry {
  std::string suffix;
  std::string baseCall;
  std::string date;
  std::string mark;

  bool operator==(const AwardEntry&) const = default;
};

/// What the application is made from: the confirmed suffixes of a results file that passed the
/// checks, in suffix order, or why it did not pass.
struct AwardSource {
  std::vector<AwardEntry> entries;
  /// Empty when the file passed; else the message for the operator (the file's path follows).
  std::string refusal;
};

/// Reads at most 18,278 records for the application, each checked before it is taken, since the
/// application goes to the award manager: the file reads as CP932 (no byte-order mark, no UTF-8
/// text, no byte that does not decode), each record is one line of four fields, and its suffix is
/// that of its row (A, B, ... ZZZ). The first record that fails stops the read with a refusal
/// naming its line and what was found there. Blank lines are passed over, and a file may end
/// early, as the results window reads it.
AwardSource ReadAwardSource(results::ResultsRecordReader& reader);
/// The same from the results file's bytes.
AwardSource ReadAwardSource(std::string_view resultsFileBytes);

/// Fills the application: the title; the applicant's call, name and address and the day of
/// application (`madeOn`), each on a labelled line that is underlined for a hand to fill in where
/// the value is empty; the confirmed count out of 18,278 and its percentage; and a numbered table
/// of the entries, laid out for A4 with the table's heading on every page. The print area holds
/// all of it. Every column of the table is as wide as its longest text, so every character
/// prints; the page is scaled to the table's width, and an address longer than its line wraps.
bool FillAwardApplication(lxw_workbook* workbook, const std::vector<AwardEntry>& entries,
                          const app::Applicant& applicant, std::chrono::year_month_day madeOn);

/// Writes the application to `path` through a temporary file and a rename; false when it could
/// not be written (the old workbook is then untouched).
bool WriteAwardApplication(const std::filesystem::path& path,
                           const std::vector<AwardEntry>& entries, const app::Applicant& applicant,
                           std::chrono::year_month_day madeOn);
bool WriteAwardApplication(const platform::NarrowText auto&, const std::vector<AwardEntry>&,
                           const app::Applicant&, std::chrono::year_month_day) = delete;

/// "変換" of nebu_SET.xls: NEBU申請書.xlsx in `folder` from 実績.txt there, made out for
/// `applicant` and dated today (the computer's local day). The workbook written, or nothing after
/// a message: "実績ファイルが見当たりません" when there is no results file, the refusal of a
/// results file that fails its checks, or that the application is open in another program. The
/// old application then stays as it was.
std::optional<std::filesystem::path> MakeAwardApplication(platform::UserInterface& ui,
                                                          const std::filesystem::path& folder,
                                                          const app::Applicant& applicant);
std::optional<std::filesystem::path> MakeAwardApplication(platform::UserInterface&,
                                                          const platform::NarrowText auto&,
                                                          const app::Applicant&) = delete;

}  // namespace sfxtal::standin
