#include "ui/application_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStringList>
#include <QStyleFactory>
#include <QTranslator>

#include "platform/form_description.h"
#include "ui/form_style.h"

namespace sfxtal::ui {
namespace {

// The windows ask for the Windows fonts they were measured with (Gothic and Mincho, proportional
// and fixed-pitch). Where those are not installed, the matching IPA faces (Debian's fonts-ipafont)
// stand in, so that Latin letters and digits share the Japanese face and its widths instead of
// falling back to an unrelated Latin font. Proportional and fixed-pitch faces keep their kind,
// Gothic stays Gothic and Mincho Mincho.
void InstallFontSubstitutes() {
  const auto face = [](std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<int>(name.size()));
  };
  QFont::insertSubstitutions(face(platform::kPGothicFace),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(face(platform::kGothicFace),
                             {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
  QFont::insertSubstitutions(face(platform::kMinchoFace),
                             {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")});
  QFont::insertSubstitutions(face(platform::kPMinchoFace),
                             {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
}

}  // namespace

void SetUpApplication() {
  // The program speaks Japanese only, whatever the locale: Qt's standard texts too.
  auto* translator = new QTranslator(qApp);
  if (translator->load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
  InstallFontSubstitutes();
  // Over whatever style the desktop chose; the application owns the style.
  QApplication::setStyle(new FormStyle(QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace sfxtal::ui
