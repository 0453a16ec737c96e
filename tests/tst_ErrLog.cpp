// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "Table.h"
#include "support/ErrLog.h"
#include "support/ErrorHandler.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <sys/stat.h>

class tst_ErrLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordLayoutByteForByte()
    {
        const QDateTime when(QDate(2007, 6, 15), QTime(8, 11, 51));
        QByteArray expected = "2007/06/15 08:11:51" + QByteArray(2, '\0') + "[frmMain]-[Sub_Set] x";
        expected.append(321 - expected.size(), ' ').append("\r\n");
        QCOMPARE(support::logRecord(when, QStringLiteral("[frmMain]-[Sub_Set] x")), expected);

        // A cut at 300 bytes that falls inside a character drops the whole character.
        const QString text = QString(99, QChar(0x30A8)) + QLatin1Char('a');
        QCOMPARE(support::logRecord(when, text + QChar(0x30A8)).mid(21), text.toUtf8() + "  \r\n");
    }

    void headerNumberPicksTheSlot_data()
    {
        // records -1: no log yet
        columns<QString, int, QString, int>("header", "records", "newHeader", "slot");
        dataRow("first entry ever", "", -1, "00001", 2);
        dataRow("after 00002", "00002", 3, "00003", 4);
        dataRow("999th to 1000th", "00999", 1000, "01000", 1001);
        dataRow("after 01000 wraps", "01000", 1001, "00001", 2);
        dataRow("corrupt header", "ab123", 5, "00001", 2);
        dataRow("digits, then other text", "12ab3", 13, "00013", 14);
    }
    void headerNumberPicksTheSlot()
    {
        const auto [header, records, newHeader, slot] =
            fetch<QString, int, QString, int>("header", "records", "newHeader", "slot");
        FakePlatform fake;
        QByteArray old;
        for (int i = 0; i < records; ++i)
            old += support::logRecord(fake.now(), i ? QStringLiteral("old") : header);
        QVERIFY(records < 0 || fake.writeDataFile("Err.log", old));
        QVERIFY(
            mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("[frmMain]-[Form_Load] 失敗")));

        const QByteArray log = fake.dataBytes("Err.log");
        QCOMPARE(log.mid(21, 6), newHeader.toLatin1() + ' ');
        QCOMPARE(fake.logEntries().value(slot - 2), QStringLiteral("[frmMain]-[Form_Load] 失敗"));
        QCOMPARE(log.size(), qMax(records, slot) * support::LogRecordSize);
    }

    // Its own box, no empty log left by a failed first write; a FIFO fails, never hangs.
    void unwritableLogShowsItsOwnError_data()
    {
        columns<QString>("inTheWay");
        dataRow("folder in the way", "folder");
        dataRow("FIFO in the way", "fifo");
        dataRow("disk full", "full");
    }
    void unwritableLogShowsItsOwnError()
    {
        const auto [inTheWay] = fetch<QString>("inTheWay");
        FakePlatform fake;
        const QString log = fake.dataFile("Err.log");
        if (inTheWay == QStringLiteral("full"))
            fake.failFs(QStringLiteral("write"), log, ENOSPC);
        else if (inTheWay == QStringLiteral("folder"))
            QVERIFY(QDir(fake.dataDir()).mkdir(QStringLiteral("Err.log")));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0600), 0);
        QVERIFY(!mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("lost")));
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].text.startsWith(QStringLiteral("Log出力エラー\r\n")));
        QCOMPARE(fake.messages[0].icon, platform::MsgIcon::Critical);
        QVERIFY(!QFileInfo(log).isFile());
    }

    // A log that is there already stays whole when writing to it fails.
    void existingLogSurvivesAFailedWrite()
    {
        FakePlatform fake;
        const QByteArray old = support::logRecord(fake.now(), QStringLiteral("00001")) +
                               support::logRecord(fake.now(), QStringLiteral("old"));
        QVERIFY(fake.writeDataFile("Err.log", old));
        fake.failFs(QStringLiteral("write"), fake.dataFile("Err.log"), ENOSPC);
        QVERIFY(!mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("lost")));
        QCOMPARE(fake.dataBytes("Err.log"), old);
    }

    // The standard handler: its box first, then the log line, for the program's
    // own errors and for those of the libraries it calls.
    void standardHandlerShowsThenLogs()
    {
        for (const bool own : {true, false}) {
            FakePlatform fake;
            QVERIFY(!support::guarded(fake.platform(), QStringLiteral("確定/ｷｬﾝｾﾙエラー"),
                                      QStringLiteral("[frmMain]-[Sub_Set] "), [own] {
                                          if (own)
                                              throw support::ProcError{QStringLiteral("壊れた")};
                                          throw std::runtime_error("壊れた");
                                      }));
            QCOMPARE(fake.messageTexts(), QStringList{"確定/ｷｬﾝｾﾙエラー\r\n壊れた"});
            QCOMPARE(fake.logEntries(), QStringList{"[frmMain]-[Sub_Set] 壊れた"});
        }
    }
};

QTEST_GUILESS_MAIN(tst_ErrLog)
#include "tst_ErrLog.moc"
