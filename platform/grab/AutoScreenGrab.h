// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/ScreenGrab.h"

#include <QObject>
#include <functional>
#include <memory>

namespace platform
{

enum class CaptureBackend { Invalid, X11, Wlr, Portal, ScreenCast };

// The back-end for this session: SNAPSENTRY_CAPTURE (x11, wlr, portal or
// screencast) when set, otherwise the X11 root on a native X server, the
// portal's ScreenCast on GNOME (whose Screenshot call flashes the screen and
// plays a sound at every shot), wlr-screencopy where the compositor offers
// it, the portal's Screenshot call everywhere else. desktops is
// XDG_CURRENT_DESKTOP.
CaptureBackend chooseCaptureBackend(const QString &forced, bool nativeX11, const QString &desktops,
                                    const std::function<bool()> &wlrOffered);

// The screen grab the program uses: picks its back-end once, at the first use.
// The ScreenCast back-end keeps its restore token in dataDir.
class AutoScreenGrab final : public ScreenGrab
{
public:
    explicit AutoScreenGrab(const QString &dataDir);
    ~AutoScreenGrab() override;
    void grabToBmp(const QString &bmpPath, Done done) override;
    bool asksPermission() const override;

private:
    ScreenGrab *chosen() const;

    QString dataDir_;
    mutable bool chosen_ = false;
    mutable std::unique_ptr<ScreenGrab> grab_;
    mutable QString error_;
    QObject receiver_;
};

} // namespace platform
