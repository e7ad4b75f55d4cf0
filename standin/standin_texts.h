#pragma once

#include <string_view>

namespace sfxtal::standin {

// The workbooks the stand-in writes in the program folder.
inline constexpr std::string_view kResultsBookName = "sfxtal.xlsx";
inline constexpr std::string_view kAwardBookName = "NEBU申請書.xlsx";

/// The view asked for before any tally; a line feed and the workbook's full path follow.
inline constexpr std::string_view kNoResultsBookMessage =
    "集計ブックがありません。先に Tevrak ﾃﾞｰﾀを読み込んでください";

/// Follows "実績.txt の N 行目: (what was found)" when the results file cannot make an
/// application.
inline constexpr std::string_view kNoApplicationText = "。申請書は作成しませんでした";

}  // namespace sfxtal::standin
