// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace capture
{

// Folder, one "/" unless the folder already ends in one, prefix and the "hhnn"
// minute: the shot's path without ".bmp" / ".jpg".
QString shotBasePath(const QString &folder, const QString &prefix, const QString &minute);

} // namespace capture
