#pragma once

namespace sfxtal::ui {

/// The windows ask for the Windows fonts they were drawn with ("ＭＳ Ｐゴシック", "ＭＳ ゴシック",
/// "ＭＳ 明朝"). Where those are not installed, this names the matching IPA faces (Debian's
/// fonts-ipafont), so that Latin letters and digits share the Japanese face and its widths instead
/// of falling back to an unrelated Latin font. Call once after the application is made.
void InstallFontSubstitutes();

}  // namespace sfxtal::ui
