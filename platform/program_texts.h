#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sfxtal::platform {

// What the program tells the operator whatever the job. Where a file is concerned, a line feed and
// the file's full path follow (WithPath).
inline constexpr std::string_view kCannotWriteMessage = "ファイルに書き込めません";
inline constexpr std::string_view kCannotReadMessage = "ファイルを読み込めません";
// The workbook or macro follows on the next line; from the operator's spreadsheet program, its own
// description of the failure on a third (or its error number, when it gave none).
inline constexpr std::string_view kCannotOpenBookMessage = "ブックを開けません";
inline constexpr std::string_view kNoSuchMacroMessage = "マクロを実行できません";
inline constexpr std::string_view kSpreadsheetErrorNumberText = "表計算ソフトのエラー番号 ";
inline constexpr std::string_view kOpenElsewhereMessage =
    "ファイルが他のプログラムで開かれています。閉じてから、もう一度実行してください";

// LibreOffice's lock file of a file the program would replace was left behind by a crash; the
// lock file's full path follows.
inline constexpr std::string_view kStaleLockMessage =
    "ロックファイルが残っています。LibreOffice "
    "が動いていなければ、このロックファイルを削除してから、"
    "もう一度実行してください";

/// A message, a line feed and the full path of the file it concerns.
std::string WithPath(std::string_view message, const std::filesystem::path& path);

}  // namespace sfxtal::platform
