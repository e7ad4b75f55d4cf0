#include "results/results_window_size.h"

#include <algorithm>

namespace sfxtal::results {

double CappedOuterWidth(double outerWidth) {
  return std::min(outerWidth, kResultsMaxOuterWidth);
}

double GridHeight(double outerHeight) {
  return outerHeight >= 1500 ? outerHeight - 705 : 1935;
}

float CentredEdge(double screenExtent, double windowExtent) {
  return static_cast<float>((screenExtent - windowExtent) / 2);
}

}  // namespace sfxtal::results
