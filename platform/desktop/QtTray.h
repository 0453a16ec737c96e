// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/Tray.h"

#include <memory>

namespace platform
{

// The tray icon over QSystemTrayIcon. The menu is shown by the window, not here.
class QtTray final : public Tray
{
public:
    QtTray();
    ~QtTray() override;
    bool isAvailable() const override;
    void add() override;
    void modify(const NotifyIconData &data) override;
    void remove() override;
    void setActivatedHandler(ActivatedHandler handler) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    ActivatedHandler handler_;
};

} // namespace platform
