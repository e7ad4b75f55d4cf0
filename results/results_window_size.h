#pragma once

namespace sfxtal::results {

// The results window's client area at its usual size, in twips.
inline constexpr double kResultsClientWidth = 5910;
inline constexpr double kResultsClientHeight = 2850;
/// The border and caption around that client area: the outer size is the client size plus these.
/// Window managers frame windows as they like (and not at all offscreen), so the window's rules
/// are held to this frame.
inline constexpr double kResultsFrameWidth = 120;
inline constexpr double kResultsFrameHeight = 390;
/// The widest the window may be made, outer width.
inline constexpr double kResultsMaxOuterWidth = 6030;

/// The outer width the window takes after the operator has sized it: capped at 6030 twips, a
/// narrower width kept as it is.
double CappedOuterWidth(double outerWidth);

/// The grid's height for the window's outer height: 705 twips less from 1500 twips up, 1935 for
/// anything lower.
double GridHeight(double outerHeight);

}  // namespace sfxtal::results
