#pragma once

#include <cmath>

namespace sfxtal::platform {

/// Window places and sizes are kept in twips, 1440 to the logical inch, so that stored positions
/// mean the same on every screen.
inline constexpr double kTwipsPerInch = 1440.0;

/// Pixels for a length in twips at the screen's logical DPI (15 twips a pixel at 96 DPI),
/// rounded to the nearest pixel.
inline int TwipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

/// Twips for a length in pixels at the screen's logical DPI.
inline double PixelsToTwips(double pixels, double dpi) {
  return pixels * kTwipsPerInch / dpi;
}

}  // namespace sfxtal::platform
