// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/ErrLog.h"

#include "support/Utf8.h"

namespace
{

// The sequence number in the header's text field: its leading digits among the
// first five characters; anything else counts as 0.
int headerNumber(const QByteArray &header)
{
    const QByteArray field = header.mid(21, 5);
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The log's own failure: shown, never logged (there is nowhere to log it).
bool logFailed(const Platform &p, const QString &description)
{
    p.messageBox.show(QStringLiteral("Log出力エラー\r\n") + description,
                      platform::MsgIcon::Critical);
    return false;
}

} // namespace

namespace support
{

QByteArray logRecord(const QDateTime &when, const QString &text)
{
    QByteArray record = when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")).toLatin1();
    record.append(2, '\0');
    const QByteArray body = cutUtf8(text.toUtf8(), LogTextSize);
    record.append(body);
    record.append(LogTextSize - body.size(), ' ');
    record.append("\r\n", 2);
    return record;
}

} // namespace support

namespace mdlCommon
{

bool Sub_ErrLog(const Platform &p, const QString &text)
{
    const QString path = p.dataDir + QStringLiteral("/Err.log");
    const QDateTime now = p.clock.now();

    // A FIFO or a device in the log's place is a failure, not a hang.
    QByteArray header;
    const platform::FsResult read = p.files.readAt(path, 0, support::LogRecordSize, &header);
    if (!read.ok() && !read.notFound())
        return logFailed(p, read.description());
    int last = headerNumber(header);
    if (last >= support::LogRingSize)
        last = 0;
    const QString number = QStringLiteral("%1").arg(last + 1, 5, 10, QLatin1Char('0'));
    bool created = false;
    platform::FsResult written =
        p.files.writeAt(path, 0, support::logRecord(now, number), &created);
    if (written.ok())
        written = p.files.writeAt(path, qint64(last + 1) * support::LogRecordSize,
                                  support::logRecord(now, text), nullptr);
    if (!written.ok()) {
        if (created)
            p.files.remove(path); // no empty log left by a first write that failed
        return logFailed(p, written.description());
    }
    return true;
}

} // namespace mdlCommon
