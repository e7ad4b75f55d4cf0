#include "platform/field_text.h"

namespace sfxtal::platform {
namespace {

void AppendWithStandIns(std::string& out, std::string_view text) {
  const std::size_t from = out.size();
  out += text;
  for (std::size_t i = from; i < out.size(); ++i) {
    char& c = out[i];
    if (c == '\r' || c == '\n') {
      c = kBreakStandIn;
    } else if (c == '"') {
      c = kQuoteStandIn;
    }
  }
}

}  // namespace

bool NeedsFieldStandIns(std::string_view text) {
  return text.find_first_of("\r\n\"") != std::string_view::npos;
}

std::string WithFieldStandIns(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendWithStandIns(out, text);
  return out;
}

void AppendQuotedField(std::string& out, std::string_view text) {
  out += '"';
  AppendWithStandIns(out, text);
  out += '"';
}

}  // namespace sfxtal::platform
