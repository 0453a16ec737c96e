// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QIcon>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>

namespace platform
{

// What the tray icon shows: its picture and its tip.
struct NotifyIconData {
    QIcon icon;
    QString tip;
};

// The notification-area icon. It keeps its one record (TrayIconData: picture and
// tip) and shows it whenever it is added. None of the calls fails visibly.
class Tray
{
public:
    using ActivatedHandler = std::function<void(QSystemTrayIcon::ActivationReason)>;

    virtual ~Tray() = default;
    virtual bool isAvailable() const = 0;
    // Shows the icon with the record's picture and tip; nothing while it is shown.
    virtual void add() = 0;
    // Changes the record; an icon on show follows at once.
    virtual void modify(const NotifyIconData &data) = 0;
    virtual void remove() = 0;
    // Called for every activation of the icon (a primary click is Trigger, the
    // context click Context), after the press handler that reported it returned.
    virtual void setActivatedHandler(ActivatedHandler handler) = 0;
};

} // namespace platform
