#pragma once

#include <string_view>

namespace sfxtal::results {

/// The results file in the program folder, one record per suffix.
inline constexpr std::string_view kResultsFileName = "実績.txt";
/// The workbook whose presence in the program folder offers the award output when the results
/// window opens. Only its name matters: the program never opens it.
inline constexpr std::string_view kAwardOfferBookName = "nebu.xls";

inline constexpr std::string_view kResultsFileMissingMessage = "実績ファイルが見当たりません";
/// Follows "実績.txt の N 行目: (what was found)" after a read of a file that fails the check.
inline constexpr std::string_view kUnsoundTotalsText =
    "。表示した件数と達成率は正しくないおそれがあります";

}  // namespace sfxtal::results
