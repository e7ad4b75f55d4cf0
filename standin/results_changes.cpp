#include "standin/results_changes.h"

#include "platform/file_exists.h"
#include "platform/text_file.h"
#include "results/results_check.h"
#include "results/results_file.h"

namespace sfxtal::standin {

SuffixStanding StandingOf(const TallyRow& row) {
  if (!row.worked || row.baseCall.empty()) return SuffixStanding::kNotWorked;
  return row.Unconfirmed() ? SuffixStanding::kWorked : SuffixStanding::kConfirmed;
}

EarlierResults ReadEarlierResults(const std::filesystem::path& path) {
  EarlierResults earlier;
  if (!platform::FileExists(path)) return earlier;
  earlier.state = EarlierResults::State::kUnsound;
  platform::TextFileReader file;
  if (!file.Open(path)) return earlier;
  std::vector<SuffixStanding> standings;
  standings.reserve(results::kSuffixCount);
  results::ResultsRecordReader reader(file);
  const auto problem = results::CheckResultsRecords(reader, [&](results::ResultRecord& record) {
    standings.push_back(results::IsConfirmed(record) ? SuffixStanding::kConfirmed
                        : record.Detail1.empty()     ? SuffixStanding::kNotWorked
                                                     : SuffixStanding::kWorked);
  });
  if (problem || file.Failed()) return earlier;
  earlier.state = EarlierResults::State::kRead;
  earlier.standings = std::move(standings);
  return earlier;
}

ChangeCounts ResultChanges::Counts() const {
  ChangeCounts counts;
  counts.earlier = earlier;
  for (const ResultChange& change : changes) {
    ++(change.kind == ChangeKind::kNewlyConfirmed ? counts.newlyConfirmed : counts.newlyWorked);
  }
  return counts;
}

ResultChanges CompareWithEarlier(const Tally& tally, const EarlierResults& earlier) {
  ResultChanges result;
  result.earlier = earlier.state;
  if (earlier.state != EarlierResults::State::kRead) return result;
  for (int row = 0; row < kSuffixCount; ++row) {
    const auto index = static_cast<std::size_t>(row);
    const SuffixStanding now = StandingOf(tally.rows[index]);
    const SuffixStanding before = earlier.standings[index];
    if (now == SuffixStanding::kConfirmed && before != SuffixStanding::kConfirmed) {
      result.changes.push_back({row, ChangeKind::kNewlyConfirmed});
    } else if (now == SuffixStanding::kWorked && before == SuffixStanding::kNotWorked) {
      result.changes.push_back({row, ChangeKind::kNewlyWorked});
    }
  }
  return result;
}

}  // namespace sfxtal::standin
