// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

class QLineEdit;

namespace mdlMain
{

// Puts text into box whole, also beyond the box's maxLength, which then limits
// typing only: typing never makes such a text longer, and once the user has
// shortened it below the limit the limit applies again.
void showUncut(QLineEdit *box, const QString &text);

} // namespace mdlMain
