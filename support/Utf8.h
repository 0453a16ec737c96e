// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QByteArray>

namespace support
{

// The longest prefix of utf8 that is at most maxBytes long and does not end
// inside a multi-byte sequence.
QByteArray cutUtf8(const QByteArray &utf8, int maxBytes);

} // namespace support
