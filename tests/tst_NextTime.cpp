// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "CaptureHarness.h"
#include "capture/Schedule.h"

#include <QtTest>

// The next capture time, and how a tick that comes late catches up with the schedule.
class tst_NextTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void advances_data()
    {
        QTest::addColumn<QString>("t");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("expected");
        QTest::newRow("past midnight") << "2350" << 15 << "0005";
        QTest::newRow("next hour") << "0959" << 1 << "1000";
        QTest::newRow("2300 to midnight") << "2300" << 60 << "0000";
        QTest::newRow("2359 a full hour") << "2359" << 60 << "0059";
        QTest::newRow("from midnight") << "0000" << 60 << "0100";
    }
    void advances()
    {
        QFETCH(QString, t);
        QFETCH(int, step);
        QFETCH(QString, expected);
        CaptureHarness h;
        h.arm(QStringLiteral("0900"), QStringLiteral("1000"), step);
        QCOMPARE(h.w.Fun_NextTime(t), expected);
        QVERIFY(h.fake.messages.isEmpty());
    }

    void emptyTextFails()
    {
        CaptureHarness h;
        h.arm(QStringLiteral("0900"), QStringLiteral("1000"), 5);
        QVERIFY(h.w.Fun_NextTime(QString()).isEmpty());
        QCOMPARE(h.fake.messages.size(), 1);
        const QString text = h.fake.messages[0].text;
        QVERIFY(text.startsWith(QStringLiteral("キャプチャ時間取得エラー\r\n")) &&
                text.size() > 14);
        QCOMPARE(h.fake.messages[0].icon, platform::MsgIcon::Critical);
        QCOMPARE(h.logEntries(), QStringList{"[frmMain]-[Fun_NextTime] " + text.mid(14)});
    }

    void catchUp_data()
    {
        QTest::addColumn<QString>("run"); // start, end, step, next, now
        QTest::addColumn<QString>("expected");
        QTest::newRow("ahead") << "0900 0930 10 0910 0905"
                               << "0910";
        QTest::newRow("due now") << "0900 0930 10 0910 0910"
                                 << "0910";
        QTest::newRow("missed one") << "0900 0930 10 0910 0911"
                                    << "0920";
        QTest::newRow("missed, now on schedule") << "0900 0930 10 0910 0920"
                                                 << "0920";
        QTest::newRow("missed several") << "0900 1200 15 0915 1001"
                                        << "1015";
        QTest::newRow("missed the last") << "0900 0925 10 0920 0922"
                                         << "0930";
        QTest::newRow("beyond the end is ahead") << "0900 0910 7 0914 0910"
                                                 << "0914";
        QTest::newRow("0000 after 2300 is ahead") << "0900 2359 60 0000 2359"
                                                  << "0000";
        QTest::newRow("wrapped past a whole day") << "0900 0859 60 0900 0801"
                                                  << "0900";
        QTest::newRow("wrapped, odd step") << "0000 2359 7 0002 2358"
                                           << "0002";
        QTest::newRow("across midnight, ahead") << "2200 0200 60 0000 2330"
                                                << "0000";
        QTest::newRow("across midnight, missed 2350") << "2350 0005 10 2350 2352"
                                                      << "0000";
        QTest::newRow("across midnight, missed 0000") << "2200 0200 60 0000 0003"
                                                      << "0100";
        QTest::newRow("asleep past the end") << "2200 0200 60 0100 0300"
                                             << "0100";
        QTest::newRow("asleep overnight") << "0900 1700 60 1600 0800"
                                          << "1600";
        QTest::newRow("start equals end") << "0900 0900 5 0905 0901"
                                          << "0905";
        QTest::newRow("failed advance stays empty") << "0900 0930 10 - 0915"
                                                    << "-";
    }
    void catchUp()
    {
        QFETCH(QString, run);
        QFETCH(QString, expected);
        QStringList a = run.split(QLatin1Char(' ')).replaceInStrings(QStringLiteral("-"), "");
        const QString next = capture::catchUpNextTime(a[0], a[1], qint16(a[2].toInt()), a[3], a[4]);
        QCOMPARE(next, expected == "-" ? QString() : expected);
    }

    void endMayBeTested_data()
    {
        QTest::addColumn<QString>("run"); // start, end, now
        QTest::addColumn<bool>("expected");
        QTest::newRow("within a day") << "0900 1700 0900" << true;
        QTest::newRow("across midnight, before it") << "2200 0200 2359" << false;
        QTest::newRow("across midnight, 0000") << "2200 0200 0000" << true;
        QTest::newRow("across midnight, 0000 missed") << "2200 0200 0004" << true;
    }
    void endMayBeTested()
    {
        QFETCH(QString, run);
        QFETCH(bool, expected);
        const QStringList a = run.split(QLatin1Char(' '));
        QCOMPARE(capture::endMayBeTested(a[0], a[1], a[2]), expected);
    }
};

QTEST_MAIN(tst_NextTime)
#include "tst_NextTime.moc"
