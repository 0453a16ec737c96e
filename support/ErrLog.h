// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace mdlCommon
{

// Writes one entry into Err.log in the application folder (a ring of 1000
// fixed 323-byte records behind a header). Returns false when the log itself
// failed; that failure has been shown as "Log出力エラー".
bool Sub_ErrLog(const Platform &p, const QString &text);

} // namespace mdlCommon

namespace support
{

inline constexpr int LogRecordSize = 323;
inline constexpr int LogTextSize = 300;
inline constexpr int LogRingSize = 1000;

// One record: time stamp, two NULs, text cut to 300 bytes (never inside a UTF-8
// sequence) and padded with blanks, CR LF.
QByteArray logRecord(const QDateTime &when, const QString &text);

} // namespace support
