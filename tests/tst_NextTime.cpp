// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "SessionHarness.h"
#include "capture/Schedule.h"
#include "support/ErrorHandler.h"

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
        dataRow("minutes not a number", "09xx", 5, "");
    }
    void advances()
    {
        QFETCH(QString, t);
        QFETCH(int, step);
        QFETCH(QString, expected);
        if (expected.isEmpty())
            QVERIFY_THROWS_EXCEPTION(support::ProcError, capture::addMinutes(t, qint16(step)));
        else
            QCOMPARE(capture::addMinutes(t, qint16(step)), expected);
    }

    void catchUp_data()
    {
        QTest::addColumn<QString>("run"); // start, end, step, next, now
        QTest::addColumn<QString>("expected");
        dataRow("ahead", "0900 0930 10 0910 0905", "0910");
        dataRow("missed one", "0900 0930 10 0910 0911", "0920");
        dataRow("missed one, now on a step", "0900 0930 10 0910 0920", "0920");
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
