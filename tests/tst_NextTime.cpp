// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "CaptureHarness.h"
#include "capture/Schedule.h"

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
        dataRow("past midnight", "2350", 15, "0005");
        dataRow("2300 to midnight", "2300", 60, "0000");
        dataRow("2359 a full hour", "2359", 60, "0059");
        dataRow("from midnight", "0000", 60, "0100");
        dataRow("empty text fails", "", 5, "");
    }
    void advances()
    {
        QFETCH(QString, t);
        QFETCH(int, step);
        QFETCH(QString, expected);
        CaptureHarness h;
        h.arm(QStringLiteral("0900"), QStringLiteral("1000"), step);
        QCOMPARE(h.w.Fun_NextTime(t), expected);
        // A failure is reported once, and logged once with the same reason.
        const QStringList log = h.logEntries();
        QCOMPARE(h.fake.messages.size(), int(t.isEmpty()));
        QCOMPARE(log.size(), int(t.isEmpty()));
        if (t.isEmpty()) {
            const QString text = h.fake.messages[0].text;
            QVERIFY(text.startsWith(QStringLiteral("キャプチャ時間取得エラー\r\n")) &&
                    text.size() > 14);
            QCOMPARE(log[0], "[frmMain]-[Fun_NextTime] " + text.mid(14));
        }
    }

    void catchUp_data()
    {
        QTest::addColumn<QString>("run"); // start, end, step, next, now
        QTest::addColumn<QString>("expected");
        dataRow("ahead", "0900 0930 10 0910 0905", "0910");
        dataRow("missed one", "0900 0930 10 0910 0911", "0920");
        dataRow("missed several", "0900 1200 15 0915 1001", "1015");
        dataRow("missed the last", "0900 0925 10 0920 0922", "0930");
        dataRow("across midnight, missed 0000", "2200 0200 60 0000 0003", "0100");
        dataRow("asleep overnight", "0900 1700 60 1600 0800", "1600");
    }
    void catchUp()
    {
        QFETCH(QString, run);
        QFETCH(QString, expected);
        const QStringList a = run.split(QLatin1Char(' '));
        QCOMPARE(capture::catchUpNextTime(a[0], a[1], qint16(a[2].toInt()), a[3], a[4]), expected);
    }
};

QTEST_MAIN(tst_NextTime)
#include "tst_NextTime.moc"
