#include "importer/suffix_rules.h"

#include "platform/ascii_text.h"
#include "platform/text_codec.h"

namespace sfxtal::importer {

void NormalizeCallsignInPlace(std::string& callsign) {
  const std::string_view trimmed = platform::TrimBlanks(callsign);
  const auto begin = static_cast<std::size_t>(trimmed.data() - callsign.data());
  const std::size_t end = begin + trimmed.size();
  // Most callsigns hold neither an inner blank nor "//": then trimming is all there is to do.
  bool plain = true;
  for (std::size_t i = begin; plain && i < end; ++i) {
    plain = callsign[i] != ' ' && !(callsign[i] == '/' && i + 1 < end && callsign[i + 1] == '/');
  }
  callsign.resize(end);
  if (begin > 0) callsign.erase(0, begin);
  if (plain) return;

  const std::size_t pair = callsign.find("  ");
  if (pair != std::string::npos) {
    callsign[pair] = '/';
    callsign.erase(pair + 1, 1);
  }
  std::erase(callsign, ' ');
  const std::size_t slashes = callsign.find("//");
  if (slashes != std::string::npos) callsign.erase(slashes + 1, 1);
}

std::string NormalizeCallsign(std::string callsign) {
  NormalizeCallsignInPlace(callsign);
  return callsign;
}

CallsignSplit SplitCallsign(std::string_view normalized, std::string_view calls) {
  if (normalized.empty()) return {0, calls};
  // A plain loop: callsigns are a few bytes long, too short to pay for a library search.
  std::size_t first = std::string_view::npos;
  for (std::size_t i = 0; i < normalized.size(); ++i) {
    if (normalized[i] != '/') continue;
    if (first != std::string_view::npos) return {2, calls};
    first = i;
  }
  if (first == std::string_view::npos) return {0, normalized};
  const std::string_view left = normalized.substr(0, first);
  const std::string_view right = normalized.substr(first + 1);
  if (left.size() == right.size()) return {1, calls};
  return {0, left.size() > right.size() ? left : right};
}

std::string_view TrailingLetters(std::string_view baseCall) {
  std::size_t start = baseCall.size();
  while (start > 0 && baseCall[start - 1] >= 'A' && baseCall[start - 1] <= 'Z') --start;
  return baseCall.substr(start);
}

bool IsCountableSuffix(std::string_view suffix) {
  // Three characters take at most twelve UTF-8 bytes; short texts need no counting.
  if (suffix.size() <= 3) return !suffix.empty();
  if (suffix.size() > 12) return false;
  return platform::CharacterCount(suffix) <= 3;
}

}  // namespace sfxtal::importer
