#pragma once

#include <span>
#include <string_view>

namespace sfxtal::platform {

/// What kind of control a form holds; each toolkit makes its own widget of the kind.
enum class ControlKind {
  kFrame,          // a captioned frame around other controls
  kTextBox,        // a one-line entry
  kCommandButton,  // a push button
  kLabel,          // a line of text
  kOptionButton,   // one of a group of radio buttons (the group: the option buttons in a row)
  kGrid,           // a grid of rows
};

/// A font by face name and size in points.
struct FontDescription {
  std::string_view face{};
  double points = 0;
  bool bold = false;

  bool operator==(const FontDescription&) const = default;
};

// The Japanese desktop's faces the windows were measured with: Gothic and Mincho, proportional
// (P) and fixed-pitch.
inline constexpr std::string_view kPGothicFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kGothicFace = "ＭＳ ゴシック";
inline constexpr std::string_view kPMinchoFace = "ＭＳ Ｐ明朝";
inline constexpr std::string_view kMinchoFace = "ＭＳ 明朝";

/// The border and caption around a window's client area, in twips: the outer size is the client
/// size plus these. Window managers frame windows as they like (and not at all offscreen), so
/// the windows' rules (centring, widths) are held to this frame.
inline constexpr double kWindowFrameWidth = 120;
inline constexpr double kWindowFrameHeight = 390;

/// The font of a form and of its controls unless they name another.
inline constexpr FontDescription kFormFont{kPGothicFace, 9};

/// One control of a form. Texts are UTF-8.
struct ControlDescription {
  /// The control's name, by which the window's rules, the stored settings and the tests know it;
  /// a control of a row of like controls is named after the row and its index ("Text2_0").
  std::string_view name{};
  ControlKind kind = ControlKind::kLabel;
  /// The frame the control stands in ("" for the form itself), described before it.
  std::string_view container{};
  /// Place and size in twips, within the container.
  double left = 0, top = 0, width = 0, height = 0;
  std::string_view caption{};
  std::string_view tooltip{};
  FontDescription font = kFormFont;
  /// Takes the focus by the Tab key, in the order the form lists its controls.
  bool tabStop = false;
};

/// A window as data: its caption, its client area in twips, its font and its controls in the
/// order they are made, which is the tab order among those that take the focus. Each toolkit
/// walks it; what it cannot say (widget classes, events, painting) is the toolkit's own.
struct FormDescription {
  std::string_view name{};
  std::string_view caption{};
  double clientWidth = 0;
  double clientHeight = 0;
  std::span<const ControlDescription> controls{};
};

}  // namespace sfxtal::platform
