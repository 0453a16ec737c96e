// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/desktop/QtTray.h"

namespace platform
{

QtTray::QtTray() : icon_(std::make_unique<QSystemTrayIcon>())
{
    // Queued: restoring the window removes the icon, and removing it destroys the
    // very widget whose mouse-press handler emits activated().
    QObject::connect(
        icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (handler_)
                handler_(reason);
        },
        Qt::QueuedConnection);
}

QtTray::~QtTray() = default;

bool QtTray::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::add()
{
    if (!icon_->isVisible())
        icon_->show();
}

void QtTray::modify(const NotifyIconData &data)
{
    icon_->setIcon(data.icon);
    icon_->setToolTip(data.tip);
}

void QtTray::remove()
{
    icon_->hide();
}

void QtTray::setActivatedHandler(ActivatedHandler handler)
{
    handler_ = std::move(handler);
}

} // namespace platform
