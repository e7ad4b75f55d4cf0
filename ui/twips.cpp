#include "ui/twips.h"

#include <QScreen>
#include <QWidget>

#include "platform/twips.h"

namespace sfxtal::ui {
namespace {

double LogicalDpi(const QWidget& widget) {
  return widget.screen()->logicalDotsPerInch();
}

}  // namespace

int Pixels(const QWidget& widget, double twips) {
  return platform::TwipsToPixels(twips, LogicalDpi(widget));
}

double Twips(const QWidget& widget, int pixels) {
  return platform::PixelsToTwips(pixels, LogicalDpi(widget));
}

}  // namespace sfxtal::ui
