// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>

#include <mutex>

namespace orv {

namespace {

// The faces compiled in, cut down to the characters the program shows; they
// carry the vendor ORVL, which tells them apart from the system's whole faces
// of the same family. Asking for "<family> [ORVL]" reaches them, and the
// whole face further down the list takes any other character.
constexpr QLatin1String kBundledFoundry(" [ORVL]");

// Registers them, once for the process; needs the application object. They
// are compiled in uncompressed, so each is used where it lies, never copied.
void registerBundledFaces()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QDir faces(QStringLiteral(":/faces"));
        for (const QString &name : faces.entryList(QDir::Files)) {
            const QResource face(faces.filePath(name));
            const auto *data = reinterpret_cast<const char *>(face.data());
            QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(data, face.size()));
        }
    });
}

} // namespace

void installFontSubstitutions()
{
    registerBundledFaces();
    // The real faces tried for each designed face, in order: the compiled-in
    // cut of the first (were it missing, Qt passes over a family that is not
    // there), then the system's faces.
    const std::pair<QString, QStringList> substitutes[] = {
        {kGothic, {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"),
                   QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans CJK JP")}},
        {kPGothic, {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"), QStringLiteral("TakaoPGothic"),
                    QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans Mono CJK JP")}}};
    for (auto [face, faces] : substitutes) {
        faces.prepend(faces.first() + kBundledFoundry);
        QFont::insertSubstitutions(face, faces);
    }
}

QFont designedFont(const QString &face, double pointSize, bool bold)
{
    QFont font(face);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Every attribute counts as set, so that none (italics, spacing) comes
    // from the desktop's fonts.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

} // namespace orv
