#pragma once

class QWidget;

namespace sfxtal::ui {

/// Pixels for a length in twips on the screen the widget is on, at that screen's logical DPI;
/// the one conversion of the windows, both ways.
int Pixels(const QWidget& widget, double twips);
/// Twips for a length in pixels, the same way.
double Twips(const QWidget& widget, int pixels);

}  // namespace sfxtal::ui
