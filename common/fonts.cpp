#include "common/fonts.h"

#include <QStringList>

namespace orv {

QStringList substitutesFor(const QString &designedFace)
{
    if (designedFace == kGothic)
        return {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic"),
                QStringLiteral("Noto Sans CJK JP")};
    if (designedFace == kPGothic)
        return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic"),
                QStringLiteral("Noto Sans Mono CJK JP")};
    return {};
}

void installFontSubstitutions()
{
    for (const QString &face : {kGothic, kPGothic}) {
        QFont::removeSubstitutions(face);
        QFont::insertSubstitutions(face, substitutesFor(face));
    }
}

QFont designedFont(const QString &face, double pointSize, bool bold)
{
    QFont font(face);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace orv
