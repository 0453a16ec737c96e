// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "TmpfsMount.h"
#include "support/ErrLog.h"
#include "support/ErrorHandler.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace
{

constexpr int Rec = support::LogRecordSize;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray record(const QByteArray &log, int n)
{
    return log.mid((n - 1) * Rec, Rec);
}

QByteArray text(const QByteArray &rec)
{
    return rec.mid(21, 300);
}

// A log whose header says that entry `last` was written most recently.
void writeLogWithHeader(const QString &path, const QByteArray &headerText, int records)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray header = "2026/01/01 00:00:00" + QByteArray(2, '\0') + headerText;
    header.append(300 - headerText.size(), ' ').append("\r\n");
    f.write(header);
    for (int i = 1; i < records; ++i)
        f.write(QByteArray(Rec - 2, 'o') + "\r\n");
}

} // namespace

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
    }

    void longTextIsCutWithoutSplittingACharacter()
    {
        // 99 three-byte characters + "a" + one more: the cut at 300 bytes
        // falls inside the last one, which is dropped; blanks fill the rest.
        const QString msg = QString(99, QChar(0x30A8)) + QLatin1Char('a') + QChar(0x30A8);
        const QByteArray rec = support::logRecord(QDateTime::currentDateTime(), msg);
        QCOMPARE(rec.size(), Rec);
        QCOMPARE(text(rec), QString(99, QChar(0x30A8)).toUtf8() + "a  ");
        QVERIFY(rec.endsWith("\r\n"));
    }

    void firstEntryCreatesHeaderAndOneRecord()
    {
        FakePlatform fake;
        QVERIFY(
            mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("[frmMain]-[Form_Load] 失敗")));
        const QByteArray log = readAll(fake.appFile("Err.log"));
        QCOMPARE(log.size(), 2 * Rec);
        QVERIFY(text(record(log, 1)).startsWith("00001 "));
        QVERIFY(text(record(log, 2)).startsWith("[frmMain]-[Form_Load] 失敗 "));
        QCOMPARE(record(log, 1).left(19), QByteArray("2026/12/07 09:00:00"));
        QVERIFY(fake.messages.isEmpty());
    }

    void headerNumberPicksTheSlot_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("newHeader");
        QTest::addColumn<int>("slot");
        QTest::newRow("after 00002") << QByteArray("00002") << 3 << QByteArray("00003") << 4;
        QTest::newRow("999th to 1000th")
            << QByteArray("00999") << 1000 << QByteArray("01000") << 1001;
        QTest::newRow("after 01000 wraps")
            << QByteArray("01000") << 1001 << QByteArray("00001") << 2;
        QTest::newRow("corrupt header") << QByteArray("ab123") << 5 << QByteArray("00001") << 2;
        QTest::newRow("leading digits") << QByteArray("12x45") << 20 << QByteArray("00013") << 14;
        QTest::newRow("empty file") << QByteArray() << 0 << QByteArray("00001") << 2;
    }

    void headerNumberPicksTheSlot()
    {
        QFETCH(QByteArray, header);
        QFETCH(int, records);
        QFETCH(QByteArray, newHeader);
        QFETCH(int, slot);
        FakePlatform fake;
        const QString path = fake.appFile("Err.log");
        if (records > 0)
            writeLogWithHeader(path, header, records);
        else
            QFile(path).open(QIODevice::WriteOnly);

        QVERIFY(mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("new entry")));
        const QByteArray log = readAll(path);
        QVERIFY(text(record(log, 1)).startsWith(newHeader + ' '));
        QVERIFY(text(record(log, slot)).startsWith("new entry "));
        // The neighbours are untouched and every record keeps its size.
        if (slot > 2)
            QVERIFY(record(log, slot - 1).startsWith("ooo"));
        QCOMPARE(log.size() % Rec, 0);
        QVERIFY(log.size() <= 1001 * Rec);
    }

    void unwritableLogShowsItsOwnError()
    {
        FakePlatform fake;
        QVERIFY(QDir(fake.appDir()).mkdir(QStringLiteral("Err.log"))); // a folder in its way
        QVERIFY(!mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("lost")));
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].text.startsWith(QStringLiteral("Log出力エラー\r\n")));
        QCOMPARE(fake.messages[0].icon, platform::MsgIcon::Critical);
    }

    // A log that could not be started on a full disk is not left behind empty.
    void fullDiskLeavesNoEmptyLog()
    {
        FakePlatform fake;
        const TmpfsMount mount(fake.appDir(), QStringLiteral("size=64k"));
        if (!mount.ok())
            QSKIP("mounting a tmpfs is not allowed here");
        mount.fill();
        QVERIFY(!mdlCommon::Sub_ErrLog(fake.platform(), QStringLiteral("lost")));
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].text.startsWith(QStringLiteral("Log出力エラー\r\n")));
        QVERIFY(!QFile::exists(fake.appFile("Err.log")));
    }

    // The standard handler: its box first, then the log line; a failing log adds a second box.
    void standardHandlerShowsThenLogs()
    {
        FakePlatform fake;
        const bool done = support::guarded(fake.platform(), QStringLiteral("確定/ｷｬﾝｾﾙエラー"),
                                           QStringLiteral("[frmMain]-[Sub_Set] "), [] {
                                               throw support::ProcError{QStringLiteral("壊れた")};
                                           });
        QVERIFY(!done);
        QCOMPARE(fake.messageTexts(), QStringList{QStringLiteral("確定/ｷｬﾝｾﾙエラー\r\n壊れた")});
        QVERIFY(text(record(readAll(fake.appFile("Err.log")), 2))
                    .startsWith(QStringLiteral("[frmMain]-[Sub_Set] 壊れた ").toUtf8()));

        QFile::remove(fake.appFile("Err.log"));
        QVERIFY(QDir(fake.appDir()).mkdir(QStringLiteral("Err.log")));
        support::reportError(fake.platform(), QStringLiteral("T"), QStringLiteral("[m]-[p] "),
                             QStringLiteral("d"));
        QCOMPARE(fake.messages.size(), 3);
        QVERIFY(fake.messages[2].text.startsWith(QStringLiteral("Log出力エラー")));
    }
};

QTEST_GUILESS_MAIN(tst_ErrLog)
#include "tst_ErrLog.moc"
