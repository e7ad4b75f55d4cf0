#pragma once

#include <string>
#include <string_view>

namespace sfxtal::platform {

/// What stands in, inside a field of a line of fields, for a byte that would break the line: a
/// line break (CR or LF), which would split the line in two, and the answer history's comma,
/// which would start a field of its own.
inline constexpr char kBreakStandIn = '?';
/// What stands in for a double quote inside a quoted field, whose end it would otherwise mark.
/// The results file has always had it so.
inline constexpr char kQuoteStandIn = '\'';

/// True when the text holds a CR, an LF or a double quote.
bool NeedsFieldStandIns(std::string_view text);

/// The text as a quoted field may hold it: CR and LF become kBreakStandIn, a double quote
/// kQuoteStandIn. Works on CP932 bytes and UTF-8 alike: neither has these bytes inside a
/// character.
std::string WithFieldStandIns(std::string_view text);

/// Appends the text as one quoted field: a quote, WithFieldStandIns(text), a quote.
void AppendQuotedField(std::string& out, std::string_view text);

}  // namespace sfxtal::platform
