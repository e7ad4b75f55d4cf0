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

// The sheets of the results workbook that look at the standing from the operator's side.
inline constexpr std::string_view kQslWaitingSheetName = "QSL待ち";
inline constexpr std::string_view kProgressSheetName = "推移";
inline constexpr std::string_view kChangesSheetName = "新規";
inline constexpr std::string_view kProgressChartTitle = "交信済み・確認済みサフィックス数の推移";
inline constexpr std::string_view kAllSuffixesHeading = "全サフィックス";
/// The note on the progress sheet's year heading.
inline constexpr std::string_view kProgressDatesNote =
    "交信日が日付として読めないサフィックスは、どの年にも数えていません。";
inline constexpr std::string_view kNoProgressText =
    "日付として読める交信日がないため、年ごとの推移はありません。";
/// What the changes sheet lists, and what the import prints after the tally.
inline constexpr std::string_view kNewlyConfirmedText = "新規確認";
inline constexpr std::string_view kNewlyWorkedText = "新規交信";
inline constexpr std::string_view kNoEarlierResultsText =
    "前回の 実績.txt がなかったため、新規の確認・交信は比べていません。";
inline constexpr std::string_view kUnsoundEarlierResultsText =
    "前回の 実績.txt が実績ファイルとして読めなかったため、新規の確認・交信は比べていません。";

}  // namespace sfxtal::standin
