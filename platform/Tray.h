// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QIcon>
#include <QString>
#include <functional>

namespace platform
{

// What the tray icon shows: its picture and its tip.
struct NotifyIconData {
    QIcon icon;
    QString tip;
};

// Mouse message numbers the tray reports, as the window procedure knows them.
enum TrayMessage : int {
    MouseMove = 0x200,
    LeftButtonDown = 0x201,
    LeftButtonUp = 0x202,
    LeftButtonDoubleClick = 0x203,
    RightButtonDown = 0x204,
    RightButtonUp = 0x205,
    MiddleButtonDown = 0x207,
};

// The notification-area icon. add/modify/remove never fail visibly: a modify while
// the icon is absent changes nothing on screen, an add while present does nothing.
class Tray
{
public:
    virtual ~Tray() = default;
    virtual bool isAvailable() const = 0;
    virtual void add(const NotifyIconData &data) = 0;
    virtual void modify(const NotifyIconData &data) = 0;
    virtual void remove() = 0;
    // Called with a TrayMessage for every mouse event on the icon.
    virtual void setNotifyHandler(std::function<void(int message)> handler) = 0;
};

} // namespace platform
