// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BmpWriter.h"
#include "platform/grab/ScreenGrab.h"
#include "platform/grab/screencast/RestoreToken.h"

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>

namespace platform
{

class ScreenCastSession;
struct CastOpening;

// Photographs the desktop through the portal's ScreenCast interface: a
// session per shot hands over a PipeWire stream of each shared monitor, one
// frame of each is taken and the frames are put together as the desktop lies.
// Unlike the portal's Screenshot call this makes no flash and no sound, and
// writes no file of its own; while a session is open the desktop shows that
// the screen is being shared. The desktop asks once which monitors to share;
// the answer is kept in a restore token.
class ScreenCastGrab final : public ScreenGrab
{
public:
    struct Settings {
        QString tokenPath;
        int portalLimitMs = 30000;
        int chooserLimitMs = 180000;
        int frameLimitMs = 5000;
        // How many monitors the desktop has, 0 when that cannot be told. Runs
        // on a worker thread.
        std::function<int()> desktopMonitors;
        // Where the portal has no ScreenCast of version 4 or later: the way
        // used instead (none: such a portal fails the shot).
        std::unique_ptr<ScreenGrab> fallback;
    };

    explicit ScreenCastGrab(Settings settings);
    // Waits for a grab in flight; its answer is dropped.
    ~ScreenCastGrab() override;
    void grabToBmp(const QString &bmpPath, Done done) override;
    bool asksPermission() const override { return true; }

private:
    enum class Offer { Unknown, Yes, No };
    void ask(const QString &bmpPath, Done done);
    void openSession(const QString &bmpPath, Done done);
    void opened(ScreenCastSession *session, CastOpening &opening, const QString &bmpPath,
                Done done);
    QString takeShot(const CastOpening &opening, const QString &bmpPath);

    Settings settings_;
    RestoreToken token_;
    Offer offer_ = Offer::Unknown;
    bool hideCursor_ = false;
    BmpWriter bmp_;    // used by the worker thread only
    QObject receiver_; // lives on the GUI thread; sessions and answers belong to it
    QThreadPool pool_; // declared last, so it is drained first
};

} // namespace platform
