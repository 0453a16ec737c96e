// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/screencast/ScreenCastGrab.h"
#include "platform/grab/BackgroundThread.h"
#include "platform/grab/OutputLayout.h"
#include "platform/grab/portal/PortalRequest.h"
#include "platform/grab/screencast/PipeWireFrames.h"
#include "platform/grab/screencast/ScreenCastSession.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QWindow>
#include <unistd.h>

namespace platform
{

namespace
{

const QString way = QStringLiteral(" (ScreenCast ポータル): ");

QString failure(const QString &why)
{
    return QStringLiteral("画面を取り込めません") + way + why;
}

// Where the desktop can put its chooser over our window: only an X11 window
// can be named without more protocol.
QString parentWindow()
{
    const QWindow *window = QGuiApplication::focusWindow();
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:%1").arg(window->winId(), 0, 16);
}

} // namespace

ScreenCastGrab::ScreenCastGrab(Settings settings)
    : settings_(std::move(settings)), token_(settings_.tokenPath)
{
    pool_.setMaxThreadCount(1);
}

ScreenCastGrab::~ScreenCastGrab()
{
    pool_.waitForDone();
}

void ScreenCastGrab::grabToBmp(const QString &bmpPath, Done done)
{
    if (offer_ == Offer::Unknown)
        return ask(bmpPath, std::move(done));
    if (offer_ == Offer::No && settings_.fallback)
        return settings_.fallback->grabToBmp(bmpPath, std::move(done));
    if (offer_ == Offer::Yes)
        return openSession(bmpPath, std::move(done));
    QMetaObject::invokeMethod(
        &receiver_,
        [done] {
            done(failure(QStringLiteral("このデスクトップのポータルには ScreenCast "
                                        "(版 4 以降) がありません")));
        },
        Qt::QueuedConnection);
}

// Which ScreenCast the portal has, asked once: the version and whether the
// pointer can be left out.
void ScreenCastGrab::ask(const QString &bmpPath, Done done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService(), portalPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    call << QStringLiteral("org.freedesktop.portal.ScreenCast");
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, settings_.portalLimitMs), &receiver_);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, &receiver_,
        [this, bmpPath, done](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            const QDBusPendingReply<QVariantMap> reply = *w;
            const QDBusError::ErrorType error = reply.error().type();
            // No portal (yet): nothing is decided, and no other way works either.
            if (error == QDBusError::ServiceUnknown)
                return done(failure(
                    QStringLiteral("デスクトップポータル (xdg-desktop-portal) が動いていません")));
            if (error == QDBusError::NoReply || error == QDBusError::Timeout ||
                error == QDBusError::Disconnected)
                return done(failure(reply.error().message()));
            const QVariantMap properties = reply.isError() ? QVariantMap() : reply.value();
            const uint version = properties.value(QStringLiteral("version")).toUInt();
            const uint cursors = properties.value(QStringLiteral("AvailableCursorModes")).toUInt();
            offer_ = version >= 4 ? Offer::Yes : Offer::No;
            hideCursor_ = cursors & 1;
            grabToBmp(bmpPath, done);
        });
}

void ScreenCastGrab::openSession(const QString &bmpPath, Done done)
{
    ScreenCastSession::Settings s;
    s.restoreToken = token_.load();
    s.parentWindow = parentWindow();
    s.hideCursor = hideCursor_;
    s.limitMs = settings_.portalLimitMs;
    s.chooserLimitMs = settings_.chooserLimitMs;
    auto *session = new ScreenCastSession(s, &receiver_);
    session->open([this, session, bmpPath, done](CastOpening &opening) {
        opened(session, opening, bmpPath, done);
    });
}

void ScreenCastGrab::opened(ScreenCastSession *session, CastOpening &opening,
                            const QString &bmpPath, Done done)
{
    if (!opening.failure.isEmpty()) {
        session->close();
        // A token sent with a request that was refused or failed is of no
        // use any more: the desktop asks again next time.
        if (opening.answeredNo && opening.tokenSent)
            token_.store({});
        return done(opening.refused ? captureRefusedPrefix() + way + opening.failure
                                    : failure(opening.failure));
    }
    // Each session's token replaces the last; none means the choice is not kept.
    token_.store(opening.restoreToken);
    auto closed = std::make_shared<bool>(false);
    QObject::connect(session, &ScreenCastSession::closed, &receiver_, [closed] { *closed = true; });
    pool_.start([this, opening, bmpPath, done, session, closed] {
        becomeBackgroundThread();
        const QString error = takeShot(opening, bmpPath);
        QMetaObject::invokeMethod(
            &receiver_,
            [this, error, done, session, closed] {
                session->close();
                if (isShareIncomplete(error))
                    token_.store({});
                // Streams that end because the user stopped sharing say so.
                if (!error.isEmpty() && *closed)
                    return done(failure(QStringLiteral("ポータルが画面の共有を終えました")));
                done(error);
            },
            Qt::QueuedConnection);
    });
}

QString ScreenCastGrab::takeShot(const CastOpening &opening, const QString &bmpPath)
{
    const std::vector<CastStream> &streams = opening.streams;
    const int monitors = settings_.desktopMonitors ? settings_.desktopMonitors() : 0;
    if (monitors > int(streams.size())) {
        close(opening.remoteFd);
        return shareIncompletePrefix() + way +
               QStringLiteral("デスクトップの画面 %1 台のうち %2 台だけが共有されています")
                   .arg(monitors)
                   .arg(streams.size());
    }
    std::vector<std::uint32_t> nodes;
    for (const CastStream &s : streams)
        nodes.push_back(s.node);
    std::vector<QImage> frames;
    if (const QString error = takeFrames(opening.remoteFd, nodes, settings_.frameLimitMs, &frames);
        !error.isEmpty())
        return failure(error);
    std::vector<OutputPicture> pictures;
    for (std::size_t i = 0; i < streams.size(); ++i) {
        QRect logical = streams[i].logical;
        if (logical.isEmpty())
            logical.setSize(frames[i].size());
        pictures.push_back({frames[i], logical});
    }
    const QString error = storeDesktopAsBmp(pictures, bmp_, bmpPath);
    return error.isEmpty() ? QString() : failure(error);
}

} // namespace platform
