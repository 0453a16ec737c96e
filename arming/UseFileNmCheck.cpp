// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/UseFileNmCheck.h"

#include "platform/FileProbe.h"
#include "support/ErrorHandler.h"

#include <QBuffer>

namespace mdlMain
{

namespace
{

QByteArray bmpBytes(const QPixmap &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The content plays no part in the answer; an empty file tests the name as well.
    if (!picture.isNull())
        picture.toImage().save(&buffer, "BMP");
    return bytes;
}

} // namespace

bool Fun_UseFileNmCheck(const Platform &p, const QString &prefix, const QPixmap &picture)
{
    if (prefix.isEmpty())
        return true;
    if (prefix.contains(QLatin1Char('/')) || prefix.contains(QLatin1Char('\\')))
        return false;

    bool usable = false;
    support::guarded(p, QStringLiteral("ファイル名チェックエラー"),
                     QStringLiteral("[mdlMain]-[Fun_UseFileNmCheck] "), [&] {
                         const QString testPath =
                             p.appDir + QLatin1Char('/') + prefix + QStringLiteral("0000.bmp");
                         const platform::FsResult made =
                             platform::FileProbe::createNew(testPath, bmpBytes(picture));
                         if (made.ok()) {
                             platform::FileProbe::removeFile(
                                 testPath); // a failure here only leaves our file
                             usable = true;
                         } else if (made.alreadyExists()) {
                             // Somebody's entry already carries the name, which proves the name
                             // usable; it is left exactly as it is.
                             usable = true;
                         } else if (!made.nameRefused() && !made.accessRefused()) {
                             throw support::ProcError{made.description()};
                         }
                     });
    return usable;
}

} // namespace mdlMain
