#include "results/results_window_size.h"

#include <algorithm>

namespace sfxtal::results {

double CappedOuterWidth(double outerWidth) {
  return std::min(outerWidth, kResultsMaxOuterWidth);
}

double GridHeight(double outerHeight) {
  return outerHeight >= 1500 ? outerHeight - 705 : 1935;
}

}  // namespace sfxtal::results
