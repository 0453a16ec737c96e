// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/AutoScreenGrab.h"
#include "platform/grab/ThreadedGrab.h"
#include "platform/grab/portal/PortalScreenGrab.h"
#include "platform/grab/screencast/ScreenCastGrab.h"
#include "platform/grab/wayland/WaylandSession.h"
#include "platform/grab/wayland/WlrScreenGrab.h"
#include "platform/grab/x11/X11ScreenGrab.h"
#include "platform/grab/x11/X11Session.h"

namespace platform
{

namespace
{

// The desktop's monitors as its compositor lists them; 0 where it cannot be asked.
int waylandOutputs()
{
    WaylandSession session;
    return session.open().isEmpty() ? int(session.outputs().size()) : 0;
}

} // namespace

CaptureBackend chooseCaptureBackend(const QString &forced, bool nativeX11, const QString &desktops,
                                    const std::function<bool()> &wlrOffered)
{
    if (forced == QLatin1String("x11"))
        return CaptureBackend::X11;
    if (forced == QLatin1String("wlr"))
        return CaptureBackend::Wlr;
    if (forced == QLatin1String("portal"))
        return CaptureBackend::Portal;
    if (forced == QLatin1String("screencast"))
        return CaptureBackend::ScreenCast;
    if (!forced.isEmpty())
        return CaptureBackend::Invalid;
    if (nativeX11)
        return CaptureBackend::X11;
    if (desktops.split(QLatin1Char(':')).contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        return CaptureBackend::ScreenCast;
    return wlrOffered() ? CaptureBackend::Wlr : CaptureBackend::Portal;
}

AutoScreenGrab::AutoScreenGrab(const QString &dataDir) : dataDir_(dataDir) {}
AutoScreenGrab::~AutoScreenGrab() = default;

ScreenGrab *AutoScreenGrab::chosen() const
{
    if (chosen_)
        return grab_.get();
    chosen_ = true;
    const QString forced = qEnvironmentVariable("SNAPSENTRY_CAPTURE").trimmed().toLower();
    switch (chooseCaptureBackend(forced, forced.isEmpty() && nativeX11Session(),
                                 qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                 &WaylandSession::offersScreencopy)) {
    case CaptureBackend::X11:
        grab_ = std::make_unique<ThreadedGrab>(std::make_unique<X11ScreenGrab>());
        break;
    case CaptureBackend::Wlr:
        grab_ = std::make_unique<ThreadedGrab>(std::make_unique<WlrScreenGrab>());
        break;
    case CaptureBackend::Portal:
        grab_ = std::make_unique<PortalScreenGrab>();
        break;
    case CaptureBackend::ScreenCast: {
        ScreenCastGrab::Settings settings;
        settings.tokenPath = dataDir_ + QStringLiteral("/ScreenCast.token");
        settings.desktopMonitors = &waylandOutputs;
        // Chosen, not forced: a portal without ScreenCast still takes the shots.
        if (forced.isEmpty())
            settings.fallback = std::make_unique<PortalScreenGrab>();
        grab_ = std::make_unique<ScreenCastGrab>(std::move(settings));
        break;
    }
    case CaptureBackend::Invalid:
        error_ = QStringLiteral("画面を取り込めません: SNAPSENTRY_CAPTURE=%1 は使えません "
                                "(x11, wlr, portal, screencast のどれかです)")
                     .arg(forced);
        break;
    }
    return grab_.get();
}

void AutoScreenGrab::grabToBmp(const QString &bmpPath, Done done)
{
    if (ScreenGrab *grab = chosen()) {
        grab->grabToBmp(bmpPath, std::move(done));
        return;
    }
    QMetaObject::invokeMethod(
        &receiver_, [done = std::move(done), error = error_] { done(error); },
        Qt::QueuedConnection);
}

bool AutoScreenGrab::asksPermission() const
{
    const ScreenGrab *grab = chosen();
    return grab && grab->asksPermission();
}

} // namespace platform
