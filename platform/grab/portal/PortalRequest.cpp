// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/portal/PortalRequest.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace platform
{

namespace
{

const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

QString portalService()
{
    return QStringLiteral("org.freedesktop.portal.Desktop");
}

QString portalPath()
{
    return QStringLiteral("/org/freedesktop/portal/desktop");
}

QString portalObjectPath(const QString &kind, const QString &token)
{
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/%2/%3/%4").arg(portalPath(), kind, sender, token);
}

QString portalToken()
{
    return QStringLiteral("snapsentry%1").arg(QRandomGenerator::global()->generate());
}

PortalRequest::PortalRequest(QDBusMessage call, Answer answer, int timeLimitMs, QObject *parent)
    : QObject(parent), call_(std::move(call)), answer_(std::move(answer))
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
            finish({2, {}, QStringLiteral("D-Bus のセッションバスに接続できません")});
        });
        return;
    }
    limit_.start();
    // Listen on the request's path before asking, or a quick answer is missed.
    const QString token = portalToken();
    listenOn(portalObjectPath(QStringLiteral("request"), token));
    QList<QVariant> arguments = call_.arguments();
    QVariantMap options = arguments.isEmpty() ? QVariantMap() : arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    call_.setArguments(arguments);
    auto *watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(call_, limit_.interval() + 1000), this);
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
            finish({2,
                    {},
                    QStringLiteral("デスクトップポータル (xdg-desktop-portal) が動いていません")});
        else if (error.type() == QDBusError::UnknownInterface ||
                 error.type() == QDBusError::UnknownMethod)
            finish({2,
                    {},
                    QStringLiteral("このデスクトップのポータルには画面撮影の"
                                   "インターフェースがありません")});
        else
            finish({2, {}, error.message()});
        return;
    }
    // Older portals choose the request's path themselves.
    if (answer_ && reply.value().path() != path_)
        listenOn(reply.value().path());
}

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    if (!answer_) {
        // Too late: nobody waits for this answer any more.
        if (late_)
            late_(results);
        deleteLater();
        return;
    }
    finish({response, results, {}});
}

void PortalRequest::finish(const Reply &reply)
{
    limit_.stop();
    const Answer answer = std::move(answer_);
    answer_ = nullptr;
    if (answer)
        answer(reply);
    deleteLater();
}

void PortalRequest::giveUp()
{
    const Answer answer = std::move(answer_);
    answer_ = nullptr;
    answer({2,
            {},
            QStringLiteral("デスクトップポータルが %1 秒以内に応答しません")
                .arg(limit_.interval() / 1000)});
    // Ask the portal to drop the request, and stay a while for a late answer.
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        portalService(), path_, requestInterface, QStringLiteral("Close")));
    QTimer::singleShot(60000, this, &QObject::deleteLater);
}

} // namespace platform
