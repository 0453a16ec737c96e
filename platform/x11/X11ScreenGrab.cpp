// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/x11/X11ScreenGrab.h"

namespace platform
{

QString X11ScreenGrab::grabToBmp(const QString &)
{
    return QStringLiteral("not implemented yet");
}

} // namespace platform
