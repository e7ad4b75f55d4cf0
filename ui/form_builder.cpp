#include "ui/form_builder.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <vector>

#include "ui/command_button.h"
#include "ui/text_box.h"
#include "ui/twips.h"

namespace sfxtal::ui {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QWidget* UsualWidget(const platform::ControlDescription& control) {
  const QString caption = Text(control.caption);
  switch (control.kind) {
    case platform::ControlKind::kFrame:
      return new QGroupBox(caption);
    case platform::ControlKind::kTextBox:
      return new TextBox;
    case platform::ControlKind::kCommandButton:
      return new CommandButton(caption);
    case platform::ControlKind::kLabel: {
      auto* label = new QLabel(caption);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case platform::ControlKind::kOptionButton:
      return new QRadioButton(caption);
    case platform::ControlKind::kGrid:
      return new QTableView;
  }
  return new QWidget;
}

}  // namespace

QFont FormFont(const platform::FontDescription& font) {
  QFont qtFont(Text(font.face));
  qtFont.setPointSizeF(font.points);
  qtFont.setBold(font.bold);
  return qtFont;
}

QPoint NormalOuterPlace(const QWidget& window) {
  if (!window.isMinimized()) return window.pos();
  // The normal geometry is the client area's: the frame's offset is the same as now.
  return window.normalGeometry().topLeft() + (window.pos() - window.geometry().topLeft());
}

void PlaceControl(QWidget& window, QWidget& control, double left, double top, double width,
                  double height) {
  control.setGeometry(Pixels(window, left), Pixels(window, top), Pixels(window, width),
                      Pixels(window, height));
}

void BuildForm(QWidget& window, const platform::FormDescription& form, const WidgetMaker& make) {
  window.setObjectName(Text(form.name));
  window.setWindowTitle(Text(form.caption));
  // The Japanese desktop's usual form font, which the places and sizes were measured with;
  // fontconfig stands in an installed Japanese font where it is missing.
  window.setFont(FormFont(platform::kFormFont));
  std::vector<QWidget*> tabOrder;
  for (const platform::ControlDescription& control : form.controls) {
    QWidget* widget = make ? make(control) : nullptr;
    if (widget == nullptr) widget = UsualWidget(control);
    widget->setObjectName(Text(control.name));
    QWidget* container =
        control.container.empty() ? &window : FormControl<QWidget>(window, control.container);
    widget->setParent(container);
    PlaceControl(window, *widget, control.left, control.top, control.width, control.height);
    if (!control.tooltip.empty()) widget->setToolTip(Text(control.tooltip));
    if (control.font != platform::kFormFont) widget->setFont(FormFont(control.font));
    if (control.tabStop) {
      tabOrder.push_back(widget);
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
  }
  for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) {
    QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);
  }
}

}  // namespace sfxtal::ui
