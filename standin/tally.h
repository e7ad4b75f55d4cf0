#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "importer/import_texts.h"
#include "platform/path_text.h"
#include "results/suffix_row.h"

namespace sfxtal::standin {

using results::kSuffixCount;

/// The QSO chosen for one suffix; its texts are the work file's CP932 bytes.
struct TallyRow {
  bool worked = false;
  std::string baseCall;
  std::string date;
  std::string mark;

  bool Unconfirmed() const { return worked && mark == importer::kNotYetMarkCp932; }
  /// As the results window counts: a base call and a mark other than "未".
  bool Confirmed() const {
    return worked && !baseCall.empty() && mark != importer::kNotYetMarkCp932;
  }
};

/// Worked and confirmed suffixes among `outOf`.
struct TallyCounts {
  int outOf = 0;
  int worked = 0;
  int confirmed = 0;
  /// Confirmed / outOf, 0 to 1.
  double ConfirmedFraction() const { return outOf == 0 ? 0.0 : double(confirmed) / outOf; }
};

/// The work file summed up per suffix.
struct Tally {
  /// One row per suffix, in suffix order.
  std::vector<TallyRow> rows = std::vector<TallyRow>(kSuffixCount);
  /// Per suffix, how the line in its row stands: kNotWorked, or kWorked plus kOtherMark for a
  /// mark other than "未" plus kBaseCall for a base call. A line with a base call always stands
  /// above one without, whose suffix the results could never count as confirmed.
  static constexpr std::uint8_t kNotWorked = 0, kWorked = 1, kOtherMark = 1, kBaseCall = 2;
  std::vector<std::uint8_t> standing = std::vector<std::uint8_t>(kSuffixCount, kNotWorked);
  std::int64_t lines = 0;
  /// Lines without exactly four fields.
  std::int64_t badFieldCountLines = 0;
  /// Lines whose suffix is not one to three capital letters.
  std::int64_t badSuffixLines = 0;

  std::int64_t SkippedLines() const { return badFieldCountLines + badSuffixLines; }
  /// The counts over the suffixes of `letters` letters (1 to 3), or over all of them (0).
  TallyCounts Counts(int letters) const;
};

/// Adds one work-file line's CP932 bytes (base call, suffix, date, mark): for each suffix the
/// first line whose mark is not "未" wins, and failing that the first line, looking only at the
/// lines with a base call when the suffix has any. Splitting by bytes is safe: no CP932 trail
/// byte is a quote, a comma or a blank.
void AddWorkLine(Tally& tally, std::string_view lineBytes);

/// The longest work-file line the tally takes: far beyond any line an import writes (a base call
/// and a date of at most a few hundred bytes each). A longer line is skipped as one without four
/// fields, and never held whole.
inline constexpr std::size_t kLongestWorkLine = 64 * 1024;

/// Tallies a whole work file. Nothing when it cannot be opened or read.
std::optional<Tally> TallyWorkFile(const std::filesystem::path& workFile);
std::optional<Tally> TallyWorkFile(const platform::NarrowText auto&) = delete;

/// The results file for a tally: one line per suffix in suffix order, four quoted fields (suffix,
/// base call, date, mark; three empty ones for a suffix not worked), the work file's own bytes
/// with CR LF. A quote inside a field becomes a single quote and a line break a "?", as in the
/// work file itself.
std::string ResultsFileBytes(const Tally& tally);

}  // namespace sfxtal::standin
