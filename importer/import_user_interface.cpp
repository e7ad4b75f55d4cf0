#include "importer/import_user_interface.h"

#include <charconv>

namespace sfxtal::importer {

std::string ImportProgress::Text() const {
  std::string text(Date);
  if (LinesWritten == kSeeking) return text;
  text += ' ';
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, LinesWritten).ptr);
  return text;
}

}  // namespace sfxtal::importer
