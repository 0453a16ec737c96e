// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/screencast/ScreenCastSession.h"
#include "platform/grab/portal/PortalRequest.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <algorithm>
#include <fcntl.h>
#include <optional>

namespace platform
{

namespace
{

const QString castInterface = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// The portal's types, read only where the signature is the expected one.
std::optional<QDBusArgument> argumentOf(const QVariant &value, const char *signature)
{
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    QDBusArgument arg = value.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String(signature))
        return std::nullopt;
    return arg;
}

bool readPair(const QVariant &value, int *a, int *b)
{
    const std::optional<QDBusArgument> arg = argumentOf(value, "(ii)");
    if (!arg)
        return false;
    arg->beginStructure();
    *arg >> *a >> *b;
    arg->endStructure();
    return true;
}

std::vector<CastStream> readStreams(const QVariant &value)
{
    std::vector<CastStream> streams;
    const std::optional<QDBusArgument> found = argumentOf(value, "a(ua{sv})");
    if (!found)
        return streams;
    const QDBusArgument &arg = *found;
    arg.beginArray();
    while (!arg.atEnd()) {
        CastStream s;
        QVariantMap properties;
        arg.beginStructure();
        arg >> s.node >> properties;
        arg.endStructure();
        int x = 0, y = 0, width = 0, height = 0;
        readPair(properties.value(QStringLiteral("position")), &x, &y);
        readPair(properties.value(QStringLiteral("size")), &width, &height);
        s.logical = QRect(x, y, std::max(width, 0), std::max(height, 0));
        streams.push_back(s);
    }
    arg.endArray();
    return streams;
}

} // namespace

ScreenCastSession::ScreenCastSession(Settings settings, QObject *parent)
    : QObject(parent), settings_(std::move(settings))
{
}

void ScreenCastSession::open(Answer answer)
{
    answer_ = std::move(answer);
    const QString token = portalToken();
    session_ = portalObjectPath(QStringLiteral("session"), token);
    // Listen before asking: the portal may close the session at any moment.
    watchClosed(true);
    request(QStringLiteral("CreateSession"),
            {QVariantMap{{QStringLiteral("session_handle_token"), token}}}, settings_.limitMs,
            [this](const QVariantMap &results) {
                // Older portals name the session themselves.
                const QString handle = results.value(QStringLiteral("session_handle")).toString();
                if (!handle.isEmpty() && handle != session_) {
                    watchClosed(false);
                    session_ = handle;
                    watchClosed(true);
                }
                selectSources();
            });
}

void ScreenCastSession::watchClosed(bool on)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString signal = QStringLiteral("Closed");
    if (on)
        bus.connect(portalService(), session_, sessionInterface, signal, this,
                    SLOT(onClosed(QVariantMap)));
    else
        bus.disconnect(portalService(), session_, sessionInterface, signal, this,
                       SLOT(onClosed(QVariantMap)));
}

void ScreenCastSession::request(const QString &method, QList<QVariant> arguments, int limitMs,
                                std::function<void(const QVariantMap &)> next)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService(), portalPath(), castInterface, method);
    call.setArguments(arguments);
    auto *r = new PortalRequest(
        call,
        [this, method, next = std::move(next)](const PortalRequest::Reply &reply) {
            if (!answer_)
                return; // closed meanwhile: the answer has gone already
            if (!reply.failure.isEmpty())
                return fail(reply.failure);
            opening_.answeredNo = reply.response != 0;
            if (reply.response == 1) // the user cancelled the chooser
                return fail(QStringLiteral("画面の共有を拒否されました (応答 1)"), true);
            if (reply.response != 0)
                return fail(QStringLiteral("ポータルの %1 が失敗しました (応答 %2)")
                                .arg(method)
                                .arg(reply.response));
            next(reply.results);
        },
        limitMs, this);
    r->start();
}

void ScreenCastSession::selectSources()
{
    QVariantMap options{{QStringLiteral("types"), uint(1)}, // monitors
                        {QStringLiteral("multiple"), true},
                        {QStringLiteral("persist_mode"), uint(2)}}; // until revoked
    if (settings_.hideCursor)
        options.insert(QStringLiteral("cursor_mode"), uint(1));
    if (!settings_.restoreToken.isEmpty()) {
        options.insert(QStringLiteral("restore_token"), settings_.restoreToken);
        opening_.tokenSent = true;
    }
    request(QStringLiteral("SelectSources"),
            {QVariant::fromValue(QDBusObjectPath(session_)), options}, settings_.limitMs,
            [this](const QVariantMap &) { start(); });
}

void ScreenCastSession::start()
{
    // The desktop may ask the user (at first use, or when it no longer takes
    // the token), who may take a while.
    request(QStringLiteral("Start"),
            {QVariant::fromValue(QDBusObjectPath(session_)), settings_.parentWindow, QVariantMap()},
            settings_.chooserLimitMs, [this](const QVariantMap &results) {
                opening_.streams = readStreams(results.value(QStringLiteral("streams")));
                opening_.restoreToken = results.value(QStringLiteral("restore_token")).toString();
                if (opening_.streams.empty())
                    return fail(QStringLiteral("ポータルが共有する画面を返しません"));
                openRemote();
            });
}

void ScreenCastSession::openRemote()
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService(), portalPath(), castInterface,
                                                       QStringLiteral("OpenPipeWireRemote"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap();
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, settings_.limitMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        if (!answer_)
            return;
        if (reply.isError())
            return fail(QStringLiteral("PipeWire を開けません (%1)").arg(reply.error().message()));
        const int fd = reply.value().isValid()
                           ? fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0)
                           : -1;
        if (fd < 0)
            return fail(QStringLiteral("ポータルが PipeWire の接続を渡しません"));
        opening_.remoteFd = fd;
        const Answer answer = std::move(answer_);
        answer_ = nullptr;
        answer(opening_);
    });
}

void ScreenCastSession::fail(const QString &failure, bool refused)
{
    opening_.failure = failure;
    opening_.refused = refused;
    const Answer answer = std::move(answer_);
    answer_ = nullptr;
    if (answer)
        answer(opening_);
}

void ScreenCastSession::onClosed(const QVariantMap &)
{
    closed_ = true;
    if (answer_)
        fail(QStringLiteral("ポータルが画面の共有を終えました"));
    Q_EMIT closed();
}

void ScreenCastSession::close()
{
    answer_ = nullptr;
    // Also where CreateSession's answer did not come in time: the portal may
    // have made the session all the same.
    if (!closed_)
        QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
            portalService(), session_, sessionInterface, QStringLiteral("Close")));
    closed_ = true;
    deleteLater();
}

} // namespace platform
