#pragma once

#include <string_view>

#include "platform/form_description.h"

namespace sfxtal::app {

/// The main window, Form1: every control with its place, caption, tooltip and font, in tab order.
extern const platform::FormDescription kMainWindowForm;

/// The browse dialog of Command3: the filter's name and its pattern, which matches regardless of
/// letter case.
inline constexpr std::string_view kBrowseFilterName = "tevrak.tdb ファイル";
inline constexpr std::string_view kBrowsePattern = "*.TDB";

}  // namespace sfxtal::app
