#pragma once

#include <string_view>

namespace sfxtal::importer {

// The files the import writes in the program folder.
inline constexpr std::string_view kWorkFileName = "sfxtal.tmp";
inline constexpr std::string_view kHistoryFileName = "履歴.txt";

/// The confirmation mark of a QSO not confirmed yet ("未"), in the work file and, after the
/// tally, the results file; and the same mark as its CP932 bytes, for the readers that work on
/// the files' bytes.
inline constexpr std::string_view kNotYetMark = "未";
inline constexpr std::string_view kNotYetMarkCp932 = "\x96\xa2";

// What the suffix-setting dialog tells the operator about a suffix it cannot take.
inline constexpr std::string_view kNoSuffixMessage = "サフィックスが指定されていません";
inline constexpr std::string_view kSuffixLengthMessage = "サフィックスの桁数がおかしい";
inline constexpr std::string_view kWrongSuffixMessage = "指定されたサフィックスがおかしい";

}  // namespace sfxtal::importer
