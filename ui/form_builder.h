#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

#include "platform/form_description.h"

namespace sfxtal::ui {

/// The window's own widget for a control whose class is not the kind's usual one (a box with a
/// key filter, a grid with its model), or nullptr for the usual one.
using WidgetMaker = std::function<QWidget*(const platform::ControlDescription& control)>;

/// Gives `window` the form's name, caption and font and makes its controls: each a widget of its
/// kind (frames QGroupBox, text boxes TextBox, buttons CommandButton, labels QLabel, option
/// buttons QRadioButton, grids QTableView) named, placed in its frame, captioned, with its
/// tooltip and font, and the tab order chained through those that take the focus.
void BuildForm(QWidget& window, const platform::FormDescription& form,
               const WidgetMaker& make = {});

/// A control the form made, by its name.
template <typename Widget>
Widget* FormControl(const QWidget& window, std::string_view name) {
  return window.findChild<Widget*>(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
}

/// A font of a form as Qt asks for it.
QFont FormFont(const platform::FontDescription& font);

/// The window's outer top-left corner as it stands when not minimised: the place to keep.
QPoint NormalOuterPlace(const QWidget& window);

/// Places a control at its described place (which a window may change as it is resized).
void PlaceControl(QWidget& window, QWidget& control, double left, double top, double width,
                  double height);

}  // namespace sfxtal::ui
