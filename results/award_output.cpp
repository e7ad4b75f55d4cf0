#include "results/award_output.h"

#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "results/results_texts.h"

namespace sfxtal::results {

bool AwardBookPresent(const std::filesystem::path& programFolder) {
  return platform::FormedFileExists(programFolder / platform::PathFromUtf8(kAwardOfferBookName));
}

}  // namespace sfxtal::results
