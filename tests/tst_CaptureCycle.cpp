// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "CaptureHarness.h"
#include "shell/IniStore.h"

#include <QtTest>

class tst_CaptureCycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whole runs, ticking three times in every minute that the machine is awake.
    void runs_data()
    {
        QTest::addColumn<QString>("run"); // start end step endAction [asleep from-to]
        QTest::addColumn<QString>("shots");
        QTest::addColumn<QString>("endsAt");
        QTest::newRow("every 5") << "0900 0910 5 1"
                                 << "0900 0905 0910"
                                 << "0910";
        QTest::newRow("every 7") << "0900 0910 7 1"
                                 << "0900 0907"
                                 << "0910";
        QTest::newRow("start equals end") << "0900 0900 5 1"
                                          << "0900"
                                          << "0900";
        QTest::newRow("across midnight hourly") << "2200 0200 60 1"
                                                << "2200 2300 0000 0100 0200"
                                                << "0200";
        QTest::newRow("across midnight every 10") << "2350 0005 10 1"
                                                  << "2350 0000"
                                                  << "0005";
        QTest::newRow("until 2359, no 0000 shot")
            << "0900 2359 60 0"
            << "0900 1000 1100 1200 1300 1400 1500 1600 1700 1800 1900 2000 2100 2200 2300"
            << "2359";
        QTest::newRow("missed minute") << "0900 0930 10 1 0910 0910"
                                       << "0900 0920 0930"
                                       << "0930";
        QTest::newRow("asleep to a due minute") << "0900 0930 10 1 0905 0919"
                                                << "0900 0920 0930"
                                                << "0930";
        QTest::newRow("missed midnight, hourly") << "2200 0200 60 1 2330 0030"
                                                 << "2200 2300 0100 0200"
                                                 << "0200";
        QTest::newRow("missed midnight, every 10") << "2350 0005 10 1 2355 0001"
                                                   << "2350"
                                                   << "0005";
        QTest::newRow("asleep past the end") << "2200 0200 60 1 0030 0259"
                                             << "2200 2300 0000"
                                             << "0300";
        QTest::newRow("end action closes") << "0900 0900 5 2"
                                           << "0900"
                                           << "0900";
    }
    void runs()
    {
        QFETCH(QString, run);
        QFETCH(QString, shots);
        QFETCH(QString, endsAt);
        const QStringList a = run.split(QLatin1Char(' '));
        const int start = CaptureHarness::minuteOf(a[0]), action = a[3].toInt();
        const int sleepFrom = a.size() > 4 ? CaptureHarness::minuteOf(a[4]) : -1;
        const int sleepTo = a.size() > 4 ? CaptureHarness::minuteOf(a[5]) : -1;
        CaptureHarness h;
        h.arm(a[0], a[1], a[2].toInt(), action);
        QString endedAt;
        for (int i = 0; i < 24 * 60 && h.w.isArmed(); ++i) {
            const int minute = (start + i) % (24 * 60);
            if (sleepFrom <= sleepTo ? minute >= sleepFrom && minute <= sleepTo
                                     : minute >= sleepFrom || minute <= sleepTo)
                continue;
            for (int second : {0, 1, 31})
                h.tick(minute, second);
            endedAt = h.w.runVariables().NowTime;
        }
        QCOMPARE(h.shotMinutes().join(QLatin1Char(' ')), shots);
        QCOMPARE(endedAt, endsAt);
        const QStringList endMessage{
            QStringLiteral("キャプチャ終了 [ %1 件]").arg(shots.count(QLatin1Char(' ')) + 1)};
        QCOMPARE(h.fake.messageTexts(), action == 1 ? endMessage : QStringList());
        if (action == 1)
            QCOMPARE(h.fake.messages[0].icon, platform::MsgIcon::Information);
        // Disarmed as by a cancel; end action 2 leaves through the unload path.
        QVERIFY(!h.active("CapTimer") && !h.active("StartTimer") && h.controlsEnabled(true));
        QCOMPARE(h.w.panelText(1), QString());
        QCOMPARE(h.fake.trayData.tip, QStringLiteral("Snapsentry"));
        QCOMPARE(int(h.w.runVariables().CapCount), 0);
        QCOMPARE(int(h.w.runVariables().EndFlag), 0);
        QCOMPARE(h.fake.exitCode.has_value(), action == 2);
        if (action == 2)
            QCOMPARE(mdlCommon::Fun_GetIni(h.fake.appDir(), "Main", "EndType", ""), QString("2"));
    }

    // One shot: its file names, the converter's answer (low 16 bits) and failures.
    void shot_data()
    {
        QTest::addColumn<QString>("folderEnd");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("result");   // converter answer; -1: library missing, -2: grab fails
        QTest::addColumn<QString>("halt"); // description of a failure that halts the run
        QTest::newRow("folder without slash") << ""
                                              << "scr" << 0 << "";
        QTest::newRow("folder ending in slash") << "/"
                                                << "scr" << 0 << "";
        QTest::newRow("empty prefix") << ""
                                      << "" << 0 << "";
        QTest::newRow("low bits clear") << ""
                                        << "scr" << 0x10000 << "";
        QTest::newRow("converter fails") << ""
                                         << "scr" << 5 << "";
        QTest::newRow("low bits all set") << ""
                                          << "scr" << 0x1FFFF << "";
        QTest::newRow("library missing")
            << ""
            << "scr" << -1 << "libSaveJPG.so: cannot open shared object file";
        QTest::newRow("grab fails") << ""
                                    << "scr" << -2 << "no display";
    }
    void shot()
    {
        QFETCH(QString, folderEnd);
        QFETCH(QString, prefix);
        QFETCH(int, result);
        QFETCH(QString, halt);
        CaptureHarness h;
        h.set("txtSaveFolder", h.shots.path() + folderEnd);
        h.set("txtTopNm", prefix);
        h.fake.convertResult = result;
        h.fake.converterMissing = result == -1;
        h.fake.grabError = result == -2 ? halt : QString();
        h.startRun(QStringLiteral("0905"), QStringLiteral("0915"), 5);

        const QString base = h.shotPath(prefix + "0905");
        const QString jpgAns = QString::number(qint16(result & 0xFFFF));
        const bool converted = halt.isEmpty() && jpgAns == "0";
        QCOMPARE(h.fake.grabs, QStringList{base + ".bmp"});
        QCOMPARE(QFile::exists(base + ".bmp"), !converted && result != -2);
        QCOMPARE(QFile::exists(base + ".jpg"), result == 0); // the fake writes on 0 only
        QStringList messages, log;
        if (!halt.isEmpty())
            messages << "キャプチャエラー\r\n" + halt, log << "[frmMain]-[CapTimer_Timer] " + halt;
        else if (!converted)
            messages << "JPEG変換エラー\r\nNo.=" + jpgAns,
                log << "[frmMain]-[CapTimer_Timer] JPEG変換エラー (JpgAns=" + jpgAns + ")";
        QCOMPARE(h.fake.messageTexts(), messages);
        QCOMPARE(h.logEntries(), log);
        // A failed conversion still counts; a halted run stays armed with its timer off.
        QVERIFY(h.w.isArmed() && h.controlsEnabled(false));
        QCOMPARE(h.active("CapTimer"), halt.isEmpty());
        QCOMPARE(h.w.panelText(1),
                 halt.isEmpty() ? QString("設定中...  [Capture: 1 ]") : QString("設定中..."));
        QCOMPARE(h.w.runVariables().NextTime, QString(halt.isEmpty() ? "0910" : "0905"));
    }

    // What happens inside a message box of a tick: another tick, a cancel, a new arming.
    void insideMessageBox_data()
    {
        QTest::addColumn<QString>("hook");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("after"); // armed, CapTimer, StartTimer, count, panel 1
        QTest::newRow("tick") << "tick"
                              << "0930"
                              << "1 1 0 1 設定中...  [Capture: 1 ]";
        QTest::newRow("cancel mid-run") << "cancel"
                                        << "0930"
                                        << "0 0 0 0 ";
        QTest::newRow("cancel in the end minute") << "cancel"
                                                  << "0900"
                                                  << "0 0 0 0 ";
        QTest::newRow("cancel and arm") << "cancel arm"
                                        << "0900"
                                        << "1 0 1 0 設定中...";
        QTest::newRow("failure box, cancel, arm, start") << "fail cancel arm start"
                                                         << "0930"
                                                         << "1 1 0 0 設定中...";
    }
    void insideMessageBox()
    {
        QFETCH(QString, hook);
        QFETCH(QString, end);
        QFETCH(QString, after);
        CaptureHarness h;
        h.fake.convertResult = 3;
        if (hook.startsWith(QStringLiteral("fail")))
            h.fake.grabError = QStringLiteral("grab failed");
        h.fake.onMessage = [&h, hook](const FakePlatform::Message &) {
            if (h.fake.messages.size() > 1) // once, so a missing guard shows as a second shot
                return;
            h.fake.grabError.clear();
            if (hook == "tick")
                QMetaObject::invokeMethod(&h.w, "CapTimer_Timer");
            if (hook.contains(QStringLiteral("cancel")))
                h.pressConfirm();
            if (hook.contains(QStringLiteral("arm")))
                h.pressConfirm();
            if (hook.contains(QStringLiteral("start")))
                QMetaObject::invokeMethod(&h.w, "StartTimer_Timer");
        };
        h.arm(QStringLiteral("0900"), end, 5, 1);
        h.tick(9 * 60, 0);
        const QStringList a = after.split(QLatin1Char(' '));
        QCOMPARE(h.fake.grabs.size(), 1);
        QCOMPARE(h.fake.messages.size(), 1); // neither an end message nor a second shot's box
        QCOMPARE(h.w.isArmed(), a[0] == "1");
        QCOMPARE(h.active("CapTimer"), a[1] == "1");
        QCOMPARE(h.active("StartTimer"), a[2] == "1");
        QCOMPARE(int(h.w.runVariables().CapCount), a[3].toInt());
        QCOMPARE(h.w.panelText(1), after.section(QLatin1Char(' '), 4));
        QCOMPARE(h.w.runVariables().NextTime, QString(a[3] == "1" ? "0905" : "0900"));
    }
};

QTEST_MAIN(tst_CaptureCycle)
#include "tst_CaptureCycle.moc"
