#pragma once

#include <string>
#include <string_view>

namespace sfxtal::importer {

/// Drops the blanks around a callsign, turns its first double blank into "/", removes every other
/// blank and folds its first "//" into one "/". The callsign is the log's bytes: blanks and "/"
/// are never part of a two-byte character.
std::string NormalizeCallsign(std::string callsign);
/// NormalizeCallsign on the string itself, for the import's per-record path.
void NormalizeCallsignInPlace(std::string& callsign);

/// How a normalized callsign splits at "/".
struct CallsignSplit {
  /// 0: the base call is known; 1: two parts of equal length; 2: three or more parts.
  int Undetermined = 0;
  /// The part the suffix is taken from; `calls` itself when the split does not choose one. A view
  /// into one of SplitCallsign's arguments.
  std::string_view BaseCall;
};

/// Splits a normalized callsign; `calls` is the base call to keep when no part can be chosen.
/// Part lengths are counted in the log's characters, a byte each.
CallsignSplit SplitCallsign(std::string_view normalized, std::string_view calls);

/// The run of capital letters "A".."Z" at the end of the base call (a view into it), empty when it
/// ends in anything else.
std::string_view TrailingLetters(std::string_view baseCall);

/// True for a suffix (UTF-8, as the operator gives it) of one to three characters.
bool IsCountableSuffix(std::string_view suffix);

}  // namespace sfxtal::importer
