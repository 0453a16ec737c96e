// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Harness.h"
#include "capture/Schedule.h"
#include "support/ErrorHandler.h"

#include <cerrno>
#include <cstring>

using capture::EndAction;

class tst_CaptureCycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whole runs, ticking three times in every minute that the machine is awake.
    void runs_data()
    {
        // run: start end step [asleep from-to]
        columns<QString, QString, QString>("run", "shots", "endsAt");
        dataRow("every 5", "0900 0910 5", "0900 0905 0910", "0910");
        dataRow("start equals end", "0900 0900 5", "0900", "0900");
        dataRow("across midnight hourly", "2200 0200 60", "2200 2300 0000 0100 0200", "0200");
        dataRow("across midnight every 10", "2350 0005 10", "2350 0000", "0005");
        dataRow("until 2359, no 0000 shot", "0900 2359 60",
                "0900 1000 1100 1200 1300 1400 1500 1600 1700 1800 1900 2000 2100 2200 2300",
                "2359");
        dataRow("skipped minute", "0900 0930 10 0910 0910", "0900 0920 0930", "0930");
        dataRow("midnight not ticked", "2200 0200 60 2330 0030", "2200 2300 0100 0200", "0200");
        dataRow("asleep past the end", "2200 0200 60 0030 0259", "2200 2300 0000", "0300");
    }
    void runs()
    {
        const auto [run, shots, endsAt] =
            fetch<QString, QString, QString>("run", "shots", "endsAt");
        const QStringList a = run.split(QLatin1Char(' '));
        const int start = minuteOf(a[0]);
        auto offset = [&](int i) { return (minuteOf(a[i]) - start + 1440) % 1440; };
        const int sleepFrom = a.size() > 3 ? offset(3) : -1,
                  sleepTo = a.size() > 3 ? offset(4) : -1;
        SessionHarness h;
        h.arm(a[0], a[1], a[2].toInt(), EndAction::ShowMessage);
        for (int i = 0; i < 24 * 60 && h.s.isArmed(); ++i) {
            if (i >= sleepFrom && i <= sleepTo)
                continue;
            for (int second : {0, 1, 31})
                h.tick((start + i) % 1440, second);
        }
        const QRegularExpression minute(QStringLiteral("\\S*(\\d{4})\\.bmp"));
        QCOMPARE(h.fake.grabs.join(QLatin1Char(' ')).replace(minute, QStringLiteral("\\1")), shots);
        QCOMPARE(h.s.runVariables().NowTime, endsAt); // of the last tick
        const auto n = qint16(h.fake.grabs.size());
        QCOMPARE(h.ends, (QList<QPair<EndAction, qint16>>{{EndAction::ShowMessage, n}}));
        QCOMPARE(h.counts.size(), int(n));
        QVERIFY(!h.active("CapTimer") && !h.active("StartTimer"));
        QCOMPARE(int(h.s.runVariables().CapCount), 0); // reset for the next run
    }

    // One shot: its file names, the converter's answer (low 16 bits) and failures.
    void shot_data()
    {
        // result: the converter's answer; -1: no library, -2: grab fails, -3: BMP kept
        columns<QString, int, QString>("prefix", "result", "box");
        dataRow("shot", "scr", 0, "");
        dataRow("empty prefix", "", 0, "");
        dataRow("converter fails", "scr", 5, "JPEG変換エラー\r\nNo.=5");
        dataRow("high bits of the answer ignored", "scr", 0x10000, "");
        dataRow("library missing", "scr", -1,
                "キャプチャエラー\r\nlibSaveJPG.so: cannot open shared object file");
        dataRow("grab fails", "scr", -2, "キャプチャエラー\r\nno display");
        dataRow("BMP not removable", "scr", -3,
                "キャプチャエラー\r\n" + QString::fromLocal8Bit(std::strerror(EACCES)));
    }
    void shot()
    {
        const auto [prefix, result, box] = fetch<QString, int, QString>("prefix", "result", "box");
        SessionHarness h;
        h.fake.convertResult = result == -3 ? 0 : result;
        h.fake.failFs("remove", h.shots.path() + "/" + prefix + "0905.bmp",
                      result == -3 ? EACCES : 0);
        h.fake.converterMissing = result == -1;
        h.fake.grabError = result == -2 ? QStringLiteral("no display") : QString();
        h.arm(QStringLiteral("0905"), QStringLiteral("0915"), 5, EndAction::Nothing, prefix);
        QSignalSpy saved(&h.s, &capture::CaptureSession::shotSaved);
        QSignalSpy failed(&h.s, &capture::CaptureSession::shotFailed);
        h.tick(9 * 60 + 5, 0);
        h.tick(9 * 60 + 5, 1); // the same minute is never shot twice

        const QString base = h.shots.path() + "/" + prefix + "0905";
        QCOMPARE(h.fake.grabs, QStringList{base + ".bmp"});
        QCOMPARE(QFile::exists(base + ".bmp"), (result & 0xFFFF) && result != -2); // not converted
        QCOMPARE(QFile::exists(base + ".jpg"), result == 0 || result == -3); // written on 0 only
        QCOMPARE(h.fake.messageTexts(), box.isEmpty() ? QStringList() : QStringList{box});
        // Watchers on D-Bus learn the same: every JPEG stored, every failure's text.
        QCOMPARE(saved.size(), int(result >= 0 ? !(result & 0xFFFF) : result == -3));
        QCOMPARE(saved.value(0).value(0).toString(), saved.isEmpty() ? QString() : base + ".jpg");
        QCOMPARE(failed.value(0).value(0).toString(), box);
        const QString logged = box.isEmpty()            ? QString()
                               : box.startsWith("JPEG") ? "JPEG変換エラー (JpgAns=5)"
                                                        : box.mid(10);
        QCOMPARE(h.fake.logEntries(), logged.isEmpty()
                                          ? QStringList()
                                          : QStringList{"[frmMain]-[CapTimer_Timer] " + logged});
        // A failed conversion still counts; a halted run stays armed with its timer off.
        QVERIFY(h.s.isArmed());
        QCOMPARE(h.active("CapTimer"), result >= 0);
        QCOMPARE(h.counts, result >= 0 ? QList<qint16>{1} : QList<qint16>());
    }

    // A message box of the shot is open while the next tick or a cancel arrives.
    void insideMessageBox()
    {
        for (bool cancel : {false, true}) { // a cancel in the end minute
            SessionHarness h;
            h.fake.convertResult = 3;
            h.fake.onMessage = [&h, cancel](const FakePlatform::Message &) {
                if (h.fake.messages.size() > 1) // once, so a missing guard shows as a second shot
                    return;
                if (cancel)
                    h.s.disarm();
                else
                    h.s.CapTimer_Timer();
            };
            h.arm(QStringLiteral("0900"), cancel ? "0900" : "0930", 5, EndAction::ShowMessage);
            h.tick(9 * 60, 0);
            QCOMPARE(h.fake.grabs.size(), 1);
            QCOMPARE(h.fake.messages.size(), 1); // neither an end message nor a second shot's box
            QVERIFY(h.ends.isEmpty());
            QCOMPARE(h.s.isArmed(), !cancel);
            QCOMPARE(h.counts, cancel ? QList<qint16>() : QList<qint16>{1});
        }
    }

    // A cancel mid-shot: no BMP left, nothing more of that tick; a new run waits for it.
    void cancelWhileShooting()
    {
        for (int result : {0, 5}) {
            SessionHarness h;
            h.fake.holdGrabs = true;
            h.fake.convertResult = result;
            h.arm(QStringLiteral("0900"), QStringLiteral("0900"), 5, EndAction::ShowMessage);
            h.s.StartTimer_Timer();
            h.s.CapTimer_Timer();
            QVERIFY(h.s.shotInFlight() && h.fake.grabPending());
            h.s.disarm();
            h.arm(QStringLiteral("0900"), QStringLiteral("0900"), 5);
            h.s.StartTimer_Timer();
            h.s.CapTimer_Timer(); // the first shot is not finished: no second one starts
            QCOMPARE(h.fake.grabs.size(), 1);
            h.fake.finishGrab();
            h.waitForShot();
            QCOMPARE(h.files(), result == 0 ? QStringList{"0900.jpg"} : QStringList());
            QVERIFY(h.fake.messages.isEmpty() && h.counts.isEmpty() && h.ends.isEmpty());
            h.fake.holdGrabs = false;
            h.tick(9 * 60, 2); // the new run shoots its minute
            QCOMPARE(h.fake.grabs.size(), 2);
        }
    }

    // Leaving the program waits for a shot in flight, which removes its BMP.
    void exitWaitsForTheShot()
    {
        SessionHarness h;
        h.fake.holdGrabs = true;
        h.fake.converterMissing = true;
        h.arm(QStringLiteral("0900"), QStringLiteral("0930"), 5);
        h.s.StartTimer_Timer();
        h.s.CapTimer_Timer();
        QTimer::singleShot(50, [&h] { h.fake.finishGrab(); });
        h.s.finishForExit(5000);
        QVERIFY(!h.s.shotInFlight());
        QVERIFY(h.files().isEmpty() && h.fake.messages.isEmpty());
    }

    // A run cancelled before its start or between shots takes no further shot.
    void cancelled()
    {
        for (int shotsBefore : {0, 1}) {
            SessionHarness h;
            h.arm(QStringLiteral("0900"), QStringLiteral("0930"), 5);
            h.tick(shotsBefore ? 9 * 60 : 8 * 60 + 59, 0);
            h.s.disarm();
            for (int minute : {9 * 60, 9 * 60 + 5})
                h.tick(minute, 30);
            QCOMPARE(h.fake.grabs.size(), shotsBefore);
            QVERIFY(!h.active("StartTimer") && !h.active("CapTimer"));
        }
    }

    void unreadableMinutesThrow()
    {
        QVERIFY_THROWS_EXCEPTION(support::ProcError,
                                 capture::addMinutes(QStringLiteral("09xx"), 5));
    }

    // How a tick that comes late catches up with the schedule.
    void catchUp_data()
    {
        // run: start, end, step, next, now
        columns<QString, QString>("run", "expected");
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
        const auto [run, expected] = fetch<QString, QString>("run", "expected");
        const QStringList a = run.split(QLatin1Char(' '));
        QCOMPARE(capture::catchUpNextTime(a[0], a[1], qint16(a[2].toInt()), a[3], a[4]), expected);
    }
};

QTEST_MAIN(tst_CaptureCycle)
#include "tst_CaptureCycle.moc"
