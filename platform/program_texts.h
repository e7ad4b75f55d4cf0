#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sfxtal::platform {

// The files the program keeps in its folder, by name.
inline constexpr std::string_view kWorkFileName = "sfxtal.tmp";
inline constexpr std::string_view kHistoryFileName = "履歴.txt";
inline constexpr std::string_view kResultsFileName = "実績.txt";
inline constexpr std::string_view kSettingsFileName = "SFXTAL.INI";
inline constexpr std::string_view kResultsBookName = "sfxtal.xlsx";
inline constexpr std::string_view kAwardBookName = "NEBU申請書.xlsx";
// The spreadsheet application's workbooks and macros. Only names: none of them needs to exist
// for the built-in stand-in, and the program never opens nebu.xls; its presence offers the award
// output when the results window opens.
inline constexpr std::string_view kResultsWorkbookName = "sfxtal.xls";
inline constexpr std::string_view kAwardWorkbookName = "nebu_SET.xls";
inline constexpr std::string_view kAwardOfferBookName = "nebu.xls";
inline constexpr std::string_view kTallyMacro = "F_Read";
inline constexpr std::string_view kAwardMacro = "変換";

/// The confirmation mark of a QSO not confirmed yet ("未"), in the work file and the results
/// file alike; and the same mark as its CP932 bytes, for the readers that work on the files'
/// bytes.
inline constexpr std::string_view kNotYetMark = "未";
inline constexpr std::string_view kNotYetMarkCp932 = "\x96\xa2";

// What the program tells the operator. Where a file is concerned, a line feed and the file's full
// path follow (WithPath).
inline constexpr std::string_view kLogMissingMessage = "Tevrak.TDB が見つかりません";
inline constexpr std::string_view kMalformedLogMessage = "Tevrak.TDB の形式が正しくありません";
inline constexpr std::string_view kNameMismatchMessage = "名称違い";        // + the field's name
inline constexpr std::string_view kLengthErrorMessage = "長さ感知エラー ";  // + sum, blank, length
inline constexpr std::string_view kFrequencyFloodQuestion =
    "周波数エラーが多発しています\n処理を中断しますか？";
inline constexpr std::string_view kKeepReportingQuestion = "今後も周波数エラーを表示しますか？";
inline constexpr std::string_view kNoSuffixMessage = "サフィックスが指定されていません";
inline constexpr std::string_view kSuffixLengthMessage = "サフィックスの桁数がおかしい";
inline constexpr std::string_view kWrongSuffixMessage = "指定されたサフィックスがおかしい";
inline constexpr std::string_view kResultsFileMissingMessage = "実績ファイルが見当たりません";
inline constexpr std::string_view kCannotWriteMessage = "ファイルに書き込めません";
inline constexpr std::string_view kCannotReadMessage = "ファイルを読み込めません";
inline constexpr std::string_view kNoResultsBookMessage =
    "集計ブックがありません。先に Tevrak ﾃﾞｰﾀを読み込んでください";
// The workbook or macro follows on the next line; from the operator's spreadsheet program, its own
// description of the failure on a third (or its error number, when it gave none).
inline constexpr std::string_view kCannotOpenBookMessage = "ブックを開けません";
inline constexpr std::string_view kNoSuchMacroMessage = "マクロを実行できません";
inline constexpr std::string_view kSpreadsheetErrorNumberText = "表計算ソフトのエラー番号 ";
inline constexpr std::string_view kOpenElsewhereMessage =
    "ファイルが他のプログラムで開かれています。閉じてから、もう一度実行してください";

/// "交信番号 57 の交信周波数は 無効です" and, on the next line, the frequency text.
std::string InvalidFrequencyMessage(std::int32_t pointer, std::string_view freq);

/// A message, a line feed and the full path of the file it concerns.
std::string WithPath(std::string_view message, const std::filesystem::path& path);

}  // namespace sfxtal::platform
