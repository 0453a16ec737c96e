// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

enum class MsgIcon { Critical, Warning, Information };

// A modal message box with one OK button and the application title as caption.
// show() returns when the user has closed it.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void show(const QString &text, MsgIcon icon) = 0;
};

} // namespace platform
