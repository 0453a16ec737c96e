// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/portal/PortalRequest.h"
#include "platform/grab/ScreenGrab.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QRandomGenerator>
#include <QUrl>

namespace platform
{

namespace
{

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

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

PortalRequest::PortalRequest(Answer answer, int timeLimitMs, QObject *parent)
    : QObject(parent), answer_(std::move(answer))
{
    limit_.setSingleShot(true);
    limit_.setInterval(timeLimitMs);
    connect(&limit_, &QTimer::timeout, this, &PortalRequest::giveUp);
}

void PortalRequest::start()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        // Answered from the event loop, never on the caller's stack.
        QTimer::singleShot(0, this, [this] {
            finish({}, failure(QStringLiteral("D-Bus のセッションバスに接続できません")));
        });
        return;
    }
    limit_.start();
    // Listen on the request's path before asking, or a quick answer is missed.
    const QString token =
        QStringLiteral("snapsentry%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listenOn(QStringLiteral("%1/request/%2/%3").arg(portalPath, sender, token));

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
        QStringLiteral("Screenshot"));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("interactive"), false},
                              {QStringLiteral("modal"), false}};
    call << QString() << options;
    auto *watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(call, limit_.interval() + 1000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &PortalRequest::callReturned);
}

void PortalRequest::listenOn(const QString &path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!path_.isEmpty())
        bus.disconnect(QString(), path_, requestInterface, QStringLiteral("Response"), this,
                       SLOT(onResponse(uint, QVariantMap)));
    path_ = path;
    bus.connect(QString(), path_, requestInterface, QStringLiteral("Response"), this,
                SLOT(onResponse(uint, QVariantMap)));
}

void PortalRequest::callReturned(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusPendingReply<QDBusObjectPath> reply = *call;
    if (reply.isError()) {
        const QDBusError error = reply.error();
        if (error.type() == QDBusError::ServiceUnknown)
            finish({}, failure(QStringLiteral("デスクトップポータル (xdg-desktop-portal) が"
                                              "動いていません")));
        else if (error.type() == QDBusError::UnknownInterface ||
                 error.type() == QDBusError::UnknownMethod)
            finish({}, failure(QStringLiteral("このデスクトップのポータルには画面撮影の"
                                              "インターフェースがありません")));
        else
            finish({}, failure(error.message()));
        return;
    }
    // Older portals choose the request's path themselves.
    if (answer_ && reply.value().path() != path_)
        listenOn(reply.value().path());
}

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    const QString png = localFile(results);
    if (response == 0 && !png.isEmpty())
        finish(png, {});
    else if (response == 0)
        finish({}, failure(QStringLiteral("ポータルが画像を返しません")));
    else
        // 1: the user (or KDE without a picture folder) cancelled; 2: refused or failed.
        finish({}, captureRefusedPrefix() +
                       QStringLiteral(" (デスクトップポータル): 撮影を拒否されました (応答 %1)")
                           .arg(response));
}

void PortalRequest::finish(const QString &pngPath, const QString &error)
{
    limit_.stop();
    if (!answer_) {
        // Too late: nobody waits for this picture any more.
        if (!pngPath.isEmpty())
            QFile::remove(pngPath);
        deleteLater();
        return;
    }
    const Answer answer = std::move(answer_);
    answer_ = nullptr;
    answer(pngPath, error);
    deleteLater();
}

void PortalRequest::giveUp()
{
    const Answer answer = std::move(answer_);
    answer_ = nullptr;
    answer(QString(), failure(QStringLiteral("デスクトップポータルが %1 秒以内に応答しません")
                                  .arg(limit_.interval() / 1000)));
    // Ask the portal to drop the request, and stay a while to delete a late picture.
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        portalService, path_, requestInterface, QStringLiteral("Close")));
    QTimer::singleShot(60000, this, &QObject::deleteLater);
}

} // namespace platform
