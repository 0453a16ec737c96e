// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "CaptureHarness.h"
#include "shell/IniStore.h"

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
        dataRow("every 5", "0900 0910 5 1", "0900 0905 0910", "0910");
        dataRow("start equals end", "0900 0900 5 1", "0900", "0900");
        dataRow("across midnight hourly", "2200 0200 60 1", "2200 2300 0000 0100 0200", "0200");
        dataRow("across midnight every 10", "2350 0005 10 1", "2350 0000", "0005");
        dataRow("until 2359, no 0000 shot", "0900 2359 60 0",
                "0900 1000 1100 1200 1300 1400 1500 1600 1700 1800 1900 2000 2100 2200 2300",
                "2359");
        dataRow("skipped minute", "0900 0930 10 1 0910 0910", "0900 0920 0930", "0930");
        dataRow("midnight not ticked", "2200 0200 60 1 2330 0030", "2200 2300 0100 0200", "0200");
        dataRow("asleep past the end", "2200 0200 60 1 0030 0259", "2200 2300 0000", "0300");
        dataRow("end action closes", "0900 0900 5 2", "0900", "0900");
    }
    void runs()
    {
        QFETCH(QString, run);
        QFETCH(QString, shots);
        QFETCH(QString, endsAt);
        const QStringList a = run.split(QLatin1Char(' '));
        const int start = CaptureHarness::minuteOf(a[0]), action = a[3].toInt();
        auto offset = [&](int i) { return (CaptureHarness::minuteOf(a[i]) - start + 1440) % 1440; };
        const int sleepFrom = a.size() > 4 ? offset(4) : -1,
                  sleepTo = a.size() > 4 ? offset(5) : -1;
        CaptureHarness h;
        h.arm(a[0], a[1], a[2].toInt(), action);
        for (int i = 0; i < 24 * 60 && h.w.isArmed(); ++i) {
            if (i >= sleepFrom && i <= sleepTo)
                continue;
            for (int second : {0, 1, 31})
                h.tick((start + i) % 1440, second);
        }
        const QRegularExpression minute(QStringLiteral("\\S*(\\d{4})\\.bmp"));
        QCOMPARE(h.fake.grabs.join(QLatin1Char(' ')).replace(minute, QStringLiteral("\\1")), shots);
        QCOMPARE(h.w.runVariables().NowTime, endsAt); // of the last tick
        const QString endMessage =
            QStringLiteral("キャプチャ終了 [ %1 件]").arg(h.fake.grabs.size());
        QCOMPARE(h.fake.messageTexts(), action == 1 ? QStringList{endMessage} : QStringList());
        // Disarmed as by a cancel; end action 2 leaves through the unload path.
        QVERIFY(!h.active("CapTimer") && h.controlsEnabled(true) && h.w.panelText(1).isEmpty());
        QVERIFY(h.trayShows("picTaskIcon_0", QStringLiteral("Snapsentry")));
        QCOMPARE(h.fake.exitCode.has_value(), action == 2);
        if (action == 2)
            QCOMPARE(mdlCommon::Fun_GetIni(h.fake.dataDir(), "Main", "EndType", ""), QString("2"));
    }

    // One shot: its file names, the converter's answer (low 16 bits) and failures.
    void shot_data()
    {
        QTest::addColumn<QString>("folderEnd");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("result"); // converter answer; -1: library missing, -2: grab fails
        QTest::addColumn<QString>("box");
        dataRow("folder ending in slash", "/", "scr", 0, "");
        dataRow("empty prefix", "", "", 0, "");
        dataRow("converter fails", "", "scr", 5, "JPEG変換エラー\r\nNo.=5");
        dataRow("high bits of the answer ignored", "", "scr", 0x10000, "");
        dataRow("library missing", "", "scr", -1,
                "キャプチャエラー\r\nlibSaveJPG.so: cannot open shared object file");
        dataRow("grab fails", "", "scr", -2, "キャプチャエラー\r\nno display");
    }
    void shot()
    {
        QFETCH(QString, folderEnd);
        QFETCH(QString, prefix);
        QFETCH(int, result);
        QFETCH(QString, box);
        CaptureHarness h;
        h.set("txtSaveFolder", h.shots.path() + folderEnd);
        h.set("txtTopNm", prefix);
        h.fake.convertResult = result;
        h.fake.converterMissing = result == -1;
        h.fake.grabError = result == -2 ? QStringLiteral("no display") : QString();
        h.arm(QStringLiteral("0905"), QStringLiteral("0915"), 5);
        h.tick(9 * 60 + 5, 0);
        h.tick(9 * 60 + 5, 1); // the same minute is never shot twice

        const QString base = h.shots.path() + "/" + prefix + "0905";
        QCOMPARE(h.fake.grabs, QStringList{base + ".bmp"});
        QCOMPARE(QFile::exists(base + ".bmp"), (result & 0xFFFF) && result != -2); // not converted
        QCOMPARE(QFile::exists(base + ".jpg"), result == 0); // the fake writes on 0 only
        QCOMPARE(h.fake.messageTexts(), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(h.logEntries().size(), int(!box.isEmpty()));
        // A failed conversion still counts; a halted run stays armed with its timer off.
        QVERIFY(h.w.isArmed());
        QCOMPARE(h.active("CapTimer"), result >= 0);
        QCOMPARE(h.w.panelText(1), result >= 0 ? QString("設定中...  [Capture: 1 ]") : "設定中...");
    }

    // A message box of the shot is open while the next tick or a cancel arrives.
    void insideMessageBox_data()
    {
        QTest::addColumn<bool>("cancel");
        dataRow("tick", false);
        dataRow("cancel in the end minute", true);
    }
    void insideMessageBox()
    {
        QFETCH(bool, cancel);
        CaptureHarness h;
        h.fake.convertResult = 3;
        h.fake.onMessage = [&h, cancel](const FakePlatform::Message &) {
            if (h.fake.messages.size() > 1) // once, so a missing guard shows as a second shot
                return;
            if (cancel)
                h.pressConfirm();
            else
                QMetaObject::invokeMethod(&h.w, "CapTimer_Timer");
        };
        h.arm(QStringLiteral("0900"), cancel ? "0900" : "0930", 5, 1);
        h.tick(9 * 60, 0);
        QCOMPARE(h.fake.grabs.size(), 1);
        QCOMPARE(h.fake.messages.size(), 1); // neither an end message nor a second shot's box
        QCOMPARE(h.w.isArmed(), !cancel);
        QCOMPARE(h.w.panelText(1), cancel ? QString() : QStringLiteral("設定中...  [Capture: 1 ]"));
    }
};

QTEST_MAIN(tst_CaptureCycle)
#include "tst_CaptureCycle.moc"
