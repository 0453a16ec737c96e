// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/MessageBox.h"

namespace platform
{

class QtMessageBox final : public MessageBox
{
public:
    void show(const QString &text, MsgIcon icon) override;
};

} // namespace platform
