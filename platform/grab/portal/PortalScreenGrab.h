// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BmpWriter.h"
#include "platform/grab/ScreenGrab.h"

#include <QObject>
#include <QThreadPool>

namespace platform
{

// Photographs the desktop through the desktop portal (GNOME, KDE and other
// desktops with xdg-desktop-portal). The portal writes a PNG into the user's
// pictures; it is decoded and stored as the BMP on a worker thread and then
// deleted, so nothing is left behind.
class PortalScreenGrab final : public ScreenGrab
{
public:
    explicit PortalScreenGrab(int timeLimitMs = 30000);
    // Waits for a conversion in flight; its answer is dropped.
    ~PortalScreenGrab() override;
    void grabToBmp(const QString &bmpPath, Done done) override;
    bool asksPermission() const override { return true; }

private:
    QString convert(const QString &pngPath, const QString &bmpPath);

    int timeLimitMs_;
    BmpWriter bmp_;    // used by the worker thread only
    QObject receiver_; // lives on the GUI thread; requests and answers belong to it
    QThreadPool pool_; // declared last, so it is drained first
};

} // namespace platform
