// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/UseFileNmCheck.h"

#include "platform/files/FileSystem.h"
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

// Whether the file system takes testPath as a file name. The refusals that
// arming answers with its own warning give false; any other failure throws.
bool fileSystemTakes(platform::FileSystem &files, const QString &testPath, const QPixmap &picture)
{
    const platform::FsResult made = files.createNew(testPath, bmpBytes(picture));
    if (made.ok()) {
        files.remove(testPath); // only ever the file made just now
        return true;
    }
    // Somebody's entry already carries the name, which proves the name usable;
    // it is left exactly as it is.
    if (made.alreadyExists())
        return true;
    if (made.nameRefused() || made.accessRefused())
        return false;
    throw support::ProcError{made.description()};
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
                         usable = fileSystemTakes(p.files,
                                                  p.dataDir + QLatin1Char('/') + prefix +
                                                      QStringLiteral("0000.bmp"),
                                                  picture);
                     });
    return usable;
}

} // namespace mdlMain
