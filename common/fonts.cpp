// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>

namespace orv {

namespace {

// The faces compiled in, cut down to the characters the program shows; they
// carry the vendor ORVL, which tells them apart from the system's whole faces
// of the same family. Asking for "<family> [ORVL]" reaches them, and the
// whole face further down the list takes any other character.
constexpr QLatin1String kBundledFoundry(" [ORVL]");
bool bundledFacesRegistered = false;

// Needs the application object; the faces stay registered for the process.
bool registerBundledFaces()
{
    static const bool registered = [] {
        bool any = false;
        const QDir faces(QStringLiteral(":/faces"));
        for (const QString &name : faces.entryList(QDir::Files)) {
            const QResource resource(faces.filePath(name));
            if (!resource.isValid())
                continue;
            // Uncompressed, the face is used where it lies, never copied.
            const QByteArray data = resource.compressionAlgorithm() == QResource::NoCompression
                                        ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                                  resource.size())
                                        : resource.uncompressedData();
            any |= QFontDatabase::addApplicationFontFromData(data) >= 0;
        }
        return any;
    }();
    return registered;
}

} // namespace

QStringList substitutesFor(const QString &designedFace)
{
    QStringList faces;
    if (designedFace == kGothic)
        faces = {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                 QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans CJK JP")};
    else if (designedFace == kPGothic)
        faces = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                 QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans Mono CJK JP")};
    if (!faces.isEmpty() && bundledFacesRegistered)
        faces.prepend(faces.first() + kBundledFoundry);
    return faces;
}

void installFontSubstitutions()
{
    bundledFacesRegistered = registerBundledFaces();
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
