#include "core/settings/fonts.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutions() {
    // The first installed family of each list is used; IPA fonts come with
    // the program's packages, the others are common alternatives.
    QFont::insertSubstitutions(FixedPitchGothic,
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("TakaoGothic"),
                                QStringLiteral("VL Gothic")});
    QFont::insertSubstitutions(ProportionalGothic,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("TakaoPGothic"),
                                QStringLiteral("VL PGothic")});
}

QString PaneFontName(bool useSameWidthFont) {
    return useSameWidthFont ? FixedPitchGothic : ProportionalGothic;
}
