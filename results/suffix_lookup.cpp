#include "results/suffix_lookup.h"

namespace sfxtal::results {

LookupKey ClassifyLookupKey(char32_t typed) {
  if (typed == U'\b') return LookupKey::kPass;
  if ((typed >= U'A' && typed <= U'Z') || (typed >= U'a' && typed <= U'z')) {
    return LookupKey::kOverwrite;
  }
  return LookupKey::kDrop;
}

}  // namespace sfxtal::results
