#pragma once

#include "app/settings_store.h"

namespace sfxtal::app {

/// A width and height in twips.
struct SizeTwips {
  double Width = 0;
  double Height = 0;
};

/// A window's outer top-left corner in twips.
struct PlaceTwips {
  double Left = 0;
  double Top = 0;
};

/// The default of a stored edge, centring the window on the screen: (screen - window) / 2 in
/// single precision, as the stored value is written.
float CentredEdge(double screenExtent, double windowExtent);

/// The results window's Form_Load: its place from "Form2Top" and "Form2Left", centred on the
/// screen where none is stored.
PlaceTwips LoadResultsWindowPlace(const SettingsStore& settings, SizeTwips screen,
                                  SizeTwips window);

/// The results window's closing writes: "Form2Top", then "Form2Left", in single precision.
void SaveResultsWindowPlace(const SettingsStore& settings, PlaceTwips place);

}  // namespace sfxtal::app
