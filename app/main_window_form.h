#pragma once

#include <string_view>

#include "platform/form_description.h"

namespace sfxtal::app {

/// The main window, Form1: every control with its place, caption, tooltip and font, in tab order.
extern const platform::FormDescription kMainWindowForm;

/// One choice of the browse dialog of Command3: its name and its patterns, separated by blanks,
/// which match regardless of letter case.
struct BrowseFilter {
  std::string_view name;
  std::string_view patterns;
};

/// Either kind of log the import reads, or any file (its content tells the kind).
inline constexpr BrowseFilter kBrowseFilters[] = {
    {"tevrak.tdb ファイル", "*.TDB"},
    {"ADIF ファイル", "*.adi *.adif"},
    {"すべてのファイル", "*"},
};

}  // namespace sfxtal::app
