// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/QtTray.h"

#include <QSystemTrayIcon>

namespace platform
{

namespace
{

// The mouse message a tray activation stands for; 0 for the ones nobody handles.
int messageFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return LeftButtonDown;
    case QSystemTrayIcon::Context:
        return RightButtonDown;
    case QSystemTrayIcon::DoubleClick:
        return LeftButtonDoubleClick;
    case QSystemTrayIcon::MiddleClick:
        return MiddleButtonDown;
    default:
        return 0;
    }
}

} // namespace

QtTray::QtTray() : icon_(std::make_unique<QSystemTrayIcon>())
{
    // Queued: restoring the window removes the icon, and removing it destroys the
    // very widget whose mouse-press handler emits activated().
    QObject::connect(
        icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (const int message = messageFor(reason); handler_ && message != 0)
                handler_(message);
        },
        Qt::QueuedConnection);
}

QtTray::~QtTray() = default;

bool QtTray::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::add(const NotifyIconData &data)
{
    if (icon_->isVisible())
        return;
    modify(data);
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

void QtTray::setNotifyHandler(std::function<void(int message)> handler)
{
    handler_ = std::move(handler);
}

} // namespace platform
