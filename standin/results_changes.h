#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/path_text.h"
#include "standin/tally.h"

namespace sfxtal::standin {

/// How a suffix stands, as the results window sees it: no base call (not worked), a base call
/// marked "未" (worked, its card still to come), or a base call with any other mark (confirmed).
enum class SuffixStanding : std::uint8_t { kNotWorked, kWorked, kConfirmed };

SuffixStanding StandingOf(const TallyRow& row);

/// The results file that a tally is about to replace, as it stood.
struct EarlierResults {
  enum class State { kMissing, kUnsound, kRead };
  State state = State::kMissing;
  /// One standing per suffix, in suffix order, when the file was read.
  std::vector<SuffixStanding> standings;
};

/// Reads the results file at `path`: kRead only when it is a whole results file as the tally
/// writes it (every one of its 18,278 records sound); kMissing when there is none; kUnsound
/// otherwise, so that a damaged file never passes for the operator's earlier standing.
EarlierResults ReadEarlierResults(const std::filesystem::path& path);
EarlierResults ReadEarlierResults(const platform::NarrowText auto&) = delete;

enum class ChangeKind : std::uint8_t {
  kNewlyConfirmed,  // confirmed now, not before
  kNewlyWorked,     // worked now but not confirmed, and not worked at all before
};

struct ResultChange {
  int row = 0;  // the suffix's row
  ChangeKind kind = ChangeKind::kNewlyWorked;
};

/// The two counts of what a tally changed, for whoever started it.
struct ChangeCounts {
  EarlierResults::State earlier = EarlierResults::State::kMissing;
  int newlyConfirmed = 0;
  int newlyWorked = 0;
};

/// What a tally changed against the earlier results: each changed suffix once, in suffix order.
/// A suffix that stands as before, or stands lower than before (an import of a shorter period),
/// is not a change. Nothing is listed without an earlier file that was read.
struct ResultChanges {
  EarlierResults::State earlier = EarlierResults::State::kMissing;
  std::vector<ResultChange> changes;

  ChangeCounts Counts() const;
};

ResultChanges CompareWithEarlier(const Tally& tally, const EarlierResults& earlier);

}  // namespace sfxtal::standin
