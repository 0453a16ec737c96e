// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/SaveJpgLibrary.h"

namespace platform
{

SaveJpgLibrary::SaveJpgLibrary(const QString &appDir) : appDir_(appDir) {}

bool SaveJpgLibrary::saveToJpeg(const QString &, const QString &, std::uint8_t, std::int32_t, int *,
                                QString *error)
{
    *error = QStringLiteral("not implemented yet");
    return false;
}

} // namespace platform
