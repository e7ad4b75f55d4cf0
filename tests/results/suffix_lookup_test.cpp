#include "results/suffix_lookup.h"

#include <gtest/gtest.h>

namespace sfxtal::results {
namespace {

TEST(ClassifyLookupKey, LettersOverwriteBackspacePassesTheRestIsDropped) {
  for (char32_t letter : {U'A', U'M', U'Z', U'a', U'q', U'z'}) {
    EXPECT_EQ(ClassifyLookupKey(letter), LookupKey::kOverwrite) << static_cast<int>(letter);
  }
  EXPECT_EQ(ClassifyLookupKey(U'\b'), LookupKey::kPass);
  // The neighbours of the letter ranges, digits, blanks, control keys and wide letters.
  for (char32_t other : {U'@', U'[', U'`', U'{', U'0', U'9', U' ', U'\t', U'\r', U'\x7f', U'\x16',
                         U'-', U'\0', U'\xff21' /* full-width A */, U'ア', U'未'}) {
    EXPECT_EQ(ClassifyLookupKey(other), LookupKey::kDrop) << static_cast<int>(other);
  }
}

}  // namespace
}  // namespace sfxtal::results
