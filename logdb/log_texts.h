#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sfxtal::logdb {

// What the log's reader tells the operator. Where a file is concerned, a line feed and the file's
// full path follow (platform::WithPath).
inline constexpr std::string_view kLogMissingMessage = "Tevrak.TDB が見つかりません";
inline constexpr std::string_view kMalformedLogMessage = "Tevrak.TDB の形式が正しくありません";
inline constexpr std::string_view kAdifMissingMessage = "ADIF ファイルが見つかりません";
inline constexpr std::string_view kMalformedAdifMessage = "ADIF ファイルの形式が正しくありません";
inline constexpr std::string_view kNameMismatchMessage = "名称違い";        // + the field's name
inline constexpr std::string_view kLengthErrorMessage = "長さ感知エラー ";  // + sum, blank, length
inline constexpr std::string_view kFrequencyFloodQuestion =
    "周波数エラーが多発しています\n処理を中断しますか？";
inline constexpr std::string_view kKeepReportingQuestion = "今後も周波数エラーを表示しますか？";

/// The ADIF records a read left out, by why: "ADIF ファイルの 3 件の記録は読み込みませんでした",
/// then a line for each reason that occurred with its count ("CALL がない: 2 件").
struct AdifLeftOut {
  std::int32_t NoCall = 0;   // no CALL, or one of blanks only
  std::int32_t NoDate = 0;   // no QSO_DATE of eight digits CCYYMMDD
  std::int32_t Unended = 0;  // fields at the end of the file with no <EOR> after them
  std::int32_t Total() const { return NoCall + NoDate + Unended; }
};
std::string AdifLeftOutMessage(const AdifLeftOut& leftOut);

/// "交信番号 57 の交信周波数は 無効です" and, on the next line, the frequency text.
std::string InvalidFrequencyMessage(std::int32_t pointer, std::string_view freq);

}  // namespace sfxtal::logdb
