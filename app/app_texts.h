#pragma once

#include <string_view>

namespace sfxtal::app {

/// Where the help page should be and is not; a line feed and its full path follow.
inline constexpr std::string_view kNoHelpPageMessage =
    "ヘルプが見つかりません。プログラムフォルダーに ヘルプ.html と ヘルプ "
    "フォルダーを置いてください";

/// Follows the option or box an applicant's value came from and the character that SFXTAL.INI
/// cannot hold ("--name の「😀」(U+1F600)").
inline constexpr std::string_view kUnstorableApplicantText =
    " は SFXTAL.INI "
    "に保存できない文字です（Shift-JIS で書ける文字だけが使えます）。申請者は保存しませんでした";

}  // namespace sfxtal::app
