#pragma once

namespace sfxtal::results {

/// What the suffix lookup box does with a typed character.
enum class LookupKey {
  kPass,       // taken as it is (Backspace)
  kOverwrite,  // replaces the character after the caret, or is appended at the end
  kDrop,       // discarded
};

/// The lookup box's key filter for one typed character (a code point): Backspace passes, a letter
/// A-Z or a-z overwrites, every other character is dropped.
LookupKey ClassifyLookupKey(char32_t typed);

}  // namespace sfxtal::results
