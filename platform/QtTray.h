// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Tray.h"

#include <memory>

class QSystemTrayIcon;

namespace platform
{

// The tray icon over QSystemTrayIcon. A left press reports LeftButtonDown, a
// right press RightButtonDown; the menu is shown by the window, not here.
class QtTray final : public Tray
{
public:
    QtTray();
    ~QtTray() override;
    bool isAvailable() const override;
    void add(const NotifyIconData &data) override;
    void modify(const NotifyIconData &data) override;
    void remove() override;
    void setNotifyHandler(std::function<void(int message)> handler) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::function<void(int)> handler_;
};

} // namespace platform
