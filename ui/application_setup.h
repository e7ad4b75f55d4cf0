#pragma once

namespace sfxtal::ui {

/// Makes the application speak and look as the windows were drawn for, whatever the locale and
/// the desktop: Qt's own Japanese texts (はい/いいえ, the file dialog, the text boxes' menus), the
/// Windows fonts' names mapped to the installed IPA faces, and frames with their caption on the
/// border line. Call once, right after the QApplication is made: the program, the window tests and
/// the screenshots all start this way.
void SetUpApplication();

}  // namespace sfxtal::ui
