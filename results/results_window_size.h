#pragma once

#include "platform/form_description.h"

namespace sfxtal::results {

// The results window's client area at its usual size, in twips.
inline constexpr double kResultsClientWidth = 5910;
inline constexpr double kResultsClientHeight = 2850;
/// The border and caption around that client area (platform::kWindowFrameWidth and Height).
inline constexpr double kResultsFrameWidth = platform::kWindowFrameWidth;
inline constexpr double kResultsFrameHeight = platform::kWindowFrameHeight;
/// The widest the window may be made, outer width.
inline constexpr double kResultsMaxOuterWidth = 6030;

/// The outer width the window takes after the operator has sized it: capped at 6030 twips, a
/// narrower width kept as it is.
double CappedOuterWidth(double outerWidth);

/// The grid's height for the window's outer height: 705 twips less from 1500 twips up, 1935 for
/// anything lower.
double GridHeight(double outerHeight);

}  // namespace sfxtal::results
