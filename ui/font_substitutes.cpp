#include "ui/font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace sfxtal::ui {

void InstallFontSubstitutes() {
  // Proportional and fixed-pitch faces keep their kind, Gothic stays Gothic and Mincho Mincho.
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                             {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"),
                             {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                             {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
}

}  // namespace sfxtal::ui
