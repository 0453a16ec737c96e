// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/portal/PortalScreenGrab.h"
#include "platform/files/PosixFileSystem.h"
#include "platform/grab/ImageBmp.h"
#include "platform/grab/portal/PortalRequest.h"

#include <QFile>
#include <QImageReader>

namespace platform
{

PortalScreenGrab::PortalScreenGrab(int timeLimitMs) : timeLimitMs_(timeLimitMs)
{
    pool_.setMaxThreadCount(1);
}

PortalScreenGrab::~PortalScreenGrab()
{
    pool_.waitForDone();
}

void PortalScreenGrab::grabToBmp(const QString &bmpPath, Done done)
{
    auto answer = [this, bmpPath, done](const QString &pngPath, const QString &error) {
        if (!error.isEmpty()) {
            done(error);
            return;
        }
        pool_.start([this, pngPath, bmpPath, done] {
            const QString result = convert(pngPath, bmpPath);
            QMetaObject::invokeMethod(
                &receiver_, [done, result] { done(result); }, Qt::QueuedConnection);
        });
    };
    (new PortalRequest(std::move(answer), timeLimitMs_, &receiver_))->start();
}

QString PortalScreenGrab::convert(const QString &pngPath, const QString &bmpPath)
{
    // A FIFO or a device in the picture's place must not hang the worker.
    if (!PosixFileSystem().probe(pngPath).isPlainFile)
        return QStringLiteral("画面を取り込めません (デスクトップポータル): "
                              "ポータルの画像 %1 がありません")
            .arg(pngPath);
    QImageReader reader(pngPath);
    const QImage image = reader.read();
    const QString error =
        image.isNull() ? QStringLiteral("ポータルの画像を読めません (%1)").arg(reader.errorString())
                       : storeImageAsBmp(image, bmp_, bmpPath);
    // The portal's copy is not the user's: it goes whatever happened.
    QFile::remove(pngPath);
    return error.isEmpty()
               ? QString()
               : QStringLiteral("画面を取り込めません (デスクトップポータル): ") + error;
}

} // namespace platform
