// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/ScreenGrab.h"

#include <QObject>
#include <functional>
#include <memory>

namespace platform
{

enum class CaptureBackend { Invalid, X11, Wlr, Portal };

// The back-end for this session: SNAPSENTRY_CAPTURE (x11, wlr or portal) when
// set, otherwise the X11 root on a native X server, wlr-screencopy where the
// compositor offers it, the desktop portal everywhere else.
CaptureBackend chooseCaptureBackend(const QString &forced, bool nativeX11,
                                    const std::function<bool()> &wlrOffered);

// The screen grab the program uses: picks its back-end once, at the first use.
class AutoScreenGrab final : public ScreenGrab
{
public:
    AutoScreenGrab();
    ~AutoScreenGrab() override;
    void grabToBmp(const QString &bmpPath, Done done) override;
    bool asksPermission() const override;

private:
    ScreenGrab *chosen() const;

    mutable bool chosen_ = false;
    mutable std::unique_ptr<ScreenGrab> grab_;
    mutable QString error_;
    QObject receiver_;
};

} // namespace platform
