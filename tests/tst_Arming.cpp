// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "CaptureHarness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QtTest>

class tst_Arming : public QObject
{
    Q_OBJECT

    static bool trayShows(const CaptureHarness &h, const char *picture)
    {
        const QImage shown = h.fake.trayData.icon.pixmap(32, 32).toImage();
        const QImage wanted = h.child<QLabel>(QLatin1String(picture))->pixmap().toImage();
        return shown.convertToFormat(QImage::Format_ARGB32) ==
               wanted.convertToFormat(QImage::Format_ARGB32);
    }

private Q_SLOTS:
    // The checks run in order; the first that fails is the only one the user sees.
    void refusals_data()
    {
        QTest::addColumn<QString>("folder"); // "", "missing", "file" or "folder"
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        const QString notFound = QStringLiteral("画像保存先が見つかりません");
        const QString badName = QStringLiteral("ファイル名に使用できない文字が含まれています");
        QTest::newRow("empty folder, bad prefix") << ""
                                                  << "a/b"
                                                  << "画像保存先を設定してください"
                                                  << "cmdSelectFolder";
        QTest::newRow("missing folder, bad prefix") << "missing"
                                                    << "a/b" << notFound << "cmdSelectFolder";
        QTest::newRow("plain file as folder") << "file"
                                              << "scr" << notFound << "cmdSelectFolder";
        QTest::newRow("slash in prefix") << "folder"
                                         << "a/b" << badName << "txtTopNm";
        QTest::newRow("backslash in prefix") << "folder"
                                             << "a\\b" << badName << "txtTopNm";
    }
    void refusals()
    {
        QFETCH(QString, folder);
        QFETCH(QString, prefix);
        QFETCH(QString, warning);
        QFETCH(QString, focus);
        CaptureHarness h;
        QFile plain(h.shotPath(QStringLiteral("shots.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        const QString text = folder == "missing"  ? h.shotPath(QStringLiteral("gone"))
                             : folder == "file"   ? plain.fileName()
                             : folder == "folder" ? h.shots.path()
                                                  : QString();
        h.set("txtSaveFolder", text);
        h.set("txtTopNm", prefix);
        h.w.show();
        h.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.w));
        h.child(QStringLiteral("cmdTmSet"))->setFocus();
        const QStringList trayCalls = h.fake.trayCalls;

        h.pressConfirm();
        QCOMPARE(h.fake.messageTexts(), QStringList{warning});
        QCOMPARE(h.fake.messages[0].icon, platform::MsgIcon::Warning);
        QCOMPARE(QApplication::focusWidget(), h.child(focus));
        // Nothing else changed.
        QVERIFY(!h.w.isArmed() && h.controlsEnabled(true) && !h.active("StartTimer"));
        QCOMPARE(h.w.panelText(1), QString());
        QCOMPARE(h.fake.trayCalls, trayCalls);
        QVERIFY(h.w.runVariables().StartTime.isEmpty());
    }

    // The button arms, the menu item disarms: both lead to the same toggle.
    void armAndDisarm()
    {
        CaptureHarness h;
        h.arm(QStringLiteral("0900"), QStringLiteral("1730"), 15);
        QVERIFY(h.fake.messages.isEmpty());
        QVERIFY(h.w.isArmed() && h.controlsEnabled(false));
        QVERIFY(h.child(QStringLiteral("cmdTmSet"))->isEnabled());
        QCOMPARE(h.w.panelText(1), QStringLiteral("設定中..."));
        QCOMPARE(h.fake.trayData.tip, QStringLiteral("Snapsentry - 設定中"));
        QVERIFY(trayShows(h, "picTaskIcon_1"));
        const RunVariables &run = h.w.runVariables();
        QCOMPARE(run.StartTime + run.EndTime + run.NextTime, QStringLiteral("090017300900"));
        QCOMPARE(int(run.StepTime), 15);
        QVERIFY(h.active("StartTimer") && !h.active("CapTimer"));

        h.tick(9 * 60, 0);
        QVERIFY(h.active("CapTimer"));
        h.child<QAction>(QStringLiteral("M_File_1"))->trigger();
        QVERIFY(h.fake.messages.isEmpty());
        QVERIFY(!h.w.isArmed() && h.controlsEnabled(true));
        QVERIFY(!h.active("StartTimer") && !h.active("CapTimer"));
        QCOMPARE(h.w.panelText(1), QString());
        QCOMPARE(h.fake.trayData.tip, QStringLiteral("Snapsentry"));
        QVERIFY(trayShows(h, "picTaskIcon_0"));

        h.tick(9 * 60 + 1, 0); // a second arming starts the count and the schedule afresh
        h.pressConfirm();
        QCOMPARE(int(run.CapCount), 0);
        QCOMPARE(run.NextTime, QStringLiteral("0900"));
    }

    // The start watch fires only in the exact start minute, possibly the next day.
    void startWatchWaitsForItsMinute()
    {
        CaptureHarness h;
        h.arm(QStringLiteral("1030"), QStringLiteral("1100"), 5);
        for (int minute : {10 * 60 + 31, 23 * 60 + 59, 0, 10 * 60 + 29})
            h.tick(minute, 0);
        QVERIFY(h.active("StartTimer") && !h.active("CapTimer"));
        h.tick(10 * 60 + 30, 0);
        QVERIFY(!h.active("StartTimer") && h.active("CapTimer"));
        QCOMPARE(h.shotMinutes(), QStringList{"1030"});
    }
};

QTEST_MAIN(tst_Arming)
#include "tst_Arming.moc"
