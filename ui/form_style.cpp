#include "ui/form_style.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace sfxtal::ui {
namespace {

// A frame of this style: one with a check box is left to the base style.
const QStyleOptionGroupBox* PlainFrame(QStyle::ComplexControl control,
                                       const QStyleOptionComplex* option) {
  if (control != QStyle::CC_GroupBox) return nullptr;
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (box == nullptr || (box->subControls & QStyle::SC_GroupBoxCheckBox)) return nullptr;
  return box;
}

}  // namespace

QRect FormStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl subControl, const QWidget* widget) const {
  const QStyleOptionGroupBox* box = PlainFrame(control, option);
  if (box == nullptr) return QProxyStyle::subControlRect(control, option, subControl, widget);
  const QFontMetrics& metrics = box->fontMetrics;
  const int captionHeight = box->text.isEmpty() ? 0 : metrics.height();
  const QRect frame = box->rect.adjusted(0, captionHeight / 2, 0, 0);
  switch (subControl) {
    case SC_GroupBoxFrame:
      return frame;
    case SC_GroupBoxLabel: {
      if (box->text.isEmpty()) return {};
      // About a character in from the left edge, with a little air on both sides of the text.
      const int left = metrics.averageCharWidth();
      const int width =
          metrics.size(Qt::TextShowMnemonic, box->text).width() + metrics.averageCharWidth();
      return QRect(box->rect.left() + left, box->rect.top(),
                   std::min(width, box->rect.width() - left), captionHeight);
    }
    case SC_GroupBoxContents: {
      // Inside the line; the top a little below the caption, for frames that lay out their
      // contents.
      const int line = 2;
      return box->rect.adjusted(line, captionHeight + metrics.height() / 4 + line, -line, -line);
    }
    default:
      return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
}

void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
  const QStyleOptionGroupBox* box = PlainFrame(control, option);
  if (box == nullptr) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
  if (box->subControls & SC_GroupBoxFrame) {
    painter->save();
    // The line stays open where the caption stands on it.
    QRegion open(box->rect);
    if (!caption.isEmpty()) open -= QRegion(caption);
    painter->setClipRegion(open);
    // An etched line, as a frame of the Windows desktop is drawn: a dark line with a light one
    // beside it.
    qDrawShadeRect(painter, subControlRect(control, option, SC_GroupBoxFrame, widget), box->palette,
                   true, 1, 0);
    painter->restore();
  }
  if ((box->subControls & SC_GroupBoxLabel) && !caption.isEmpty()) {
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!styleHint(SH_UnderlineShortcut, option, widget)) flags |= Qt::TextHideMnemonic;
    drawItemText(painter, caption, flags, box->palette, box->state & State_Enabled, box->text,
                 QPalette::WindowText);
  }
}

int FormStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
  // OK, はい and いいえ as the operator's Windows desktop shows them, without pictures.
  if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace sfxtal::ui
