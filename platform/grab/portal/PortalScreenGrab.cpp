// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/portal/PortalScreenGrab.h"
#include "platform/files/PosixFileSystem.h"
#include "platform/grab/ImageBmp.h"
#include "platform/grab/portal/PortalRequest.h"

#include <QFile>
#include <QImageReader>
#include <QUrl>

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

namespace
{

QString failure(const QString &why)
{
    return QStringLiteral("画面を取り込めません (デスクトップポータル): ") + why;
}

QString localFile(const QVariantMap &results)
{
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    return uri.isLocalFile() ? uri.toLocalFile() : QString();
}

} // namespace

void PortalScreenGrab::grabToBmp(const QString &bmpPath, Done done)
{
    auto answer = [this, bmpPath, done](const PortalRequest::Reply &reply) {
        const QString png = localFile(reply.results);
        if (!reply.failure.isEmpty())
            return done(failure(reply.failure));
        if (reply.response != 0)
            // 1: the user (or KDE without a picture folder) cancelled; 2: refused or failed.
            return done(captureRefusedPrefix() +
                        QStringLiteral(" (デスクトップポータル): 撮影を拒否されました (応答 %1)")
                            .arg(reply.response));
        if (png.isEmpty())
            return done(failure(QStringLiteral("ポータルが画像を返しません")));
        pool_.start([this, png, bmpPath, done] {
            const QString result = convert(png, bmpPath);
            QMetaObject::invokeMethod(
                &receiver_, [done, result] { done(result); }, Qt::QueuedConnection);
        });
    };
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService(), portalPath(), QStringLiteral("org.freedesktop.portal.Screenshot"),
        QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), false}};
    auto *request = new PortalRequest(call, std::move(answer), timeLimitMs_, &receiver_);
    // A picture that comes after the time limit is not the user's either.
    request->setLate([](const QVariantMap &results) {
        if (const QString png = localFile(results); !png.isEmpty())
            QFile::remove(png);
    });
    request->start();
}

QString PortalScreenGrab::convert(const QString &pngPath, const QString &bmpPath)
{
    // A FIFO or a device in the picture's place must not hang the worker.
    if (!PosixFileSystem().probe(pngPath).isPlainFile)
        return failure(QStringLiteral("ポータルの画像 %1 がありません").arg(pngPath));
    QImageReader reader(pngPath);
    const QImage image = reader.read();
    const QString error =
        image.isNull() ? QStringLiteral("ポータルの画像を読めません (%1)").arg(reader.errorString())
                       : storeImageAsBmp(image, bmp_, bmpPath);
    // The portal's copy is not the user's: it goes whatever happened.
    QFile::remove(pngPath);
    return error.isEmpty() ? QString() : failure(error);
}

} // namespace platform
