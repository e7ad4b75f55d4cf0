#pragma once

#include <QProxyStyle>

namespace sfxtal::ui {

/// The look of the program's windows over the desktop's style. Frames as the control tables place
/// their contents: the border line runs through the middle of the caption, which stands on it near
/// the left, so that a control placed a few twips below a frame's top edge lies inside the frame,
/// clear of its line (Qt's own styles draw the caption above the line, which then cuts through
/// those controls). Message boxes' buttons carry their text only. Everything else is the base
/// style's.
class FormStyle : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace sfxtal::ui
