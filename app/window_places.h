#pragma once

#include "app/settings_store.h"
#include "platform/user_interface.h"

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

/// A stored place brought back onto the screen when the window would lie wholly off it (Windows
/// keeps a minimised window at -32000, and a screen may have gone since): each edge is moved the
/// least that puts the whole window on the screen. A window still partly on the screen stays
/// where the operator put it.
PlaceTwips PlaceOnScreen(PlaceTwips place, SizeTwips screen, SizeTwips window);

/// The results window's Form_Load: its place from "Form2Top" and "Form2Left", centred on the
/// screen where none is stored, and on the screen (PlaceOnScreen).
PlaceTwips LoadResultsWindowPlace(const SettingsStore& settings, SizeTwips screen,
                                  SizeTwips window);

/// The results window's closing writes: "Form2Top", then "Form2Left", in single precision.
void SaveResultsWindowPlace(const SettingsStore& settings, PlaceTwips place);
/// The results window closes at `place` (its normal outer corner): unless the program has ended
/// already, the place is saved and the program ends. Nothing else runs: the hidden main window's
/// closing steps are not this road's.
void CloseResultsWindow(platform::UserInterface& ui, const SettingsStore& settings,
                        PlaceTwips place);

}  // namespace sfxtal::app
