#pragma once

#include "platform/form_description.h"

namespace sfxtal::results {

/// The results window, Form2, at its usual size: every control with its place, caption, tooltip
/// and font, in tab order. The grid's height and the window's width follow the window's size
/// (results_window_size.h).
extern const platform::FormDescription kResultsWindowForm;

/// The grid's columns (suffix, base call, date), in twips, and the height of a row for its
/// 9-point font.
inline constexpr double kGridColumnWidths[] = {700, 900, 1400};
inline constexpr double kGridRowHeight = 240;

}  // namespace sfxtal::results
