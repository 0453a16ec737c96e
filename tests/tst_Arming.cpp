// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "CaptureHarness.h"

class tst_Arming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The checks run in order; the first that fails is the only one the user sees.
    void refusals_data()
    {
        QTest::addColumn<QString>("folder"); // added to the shots folder; "-" leaves it empty
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        const char *notFound = "画像保存先が見つかりません";
        dataRow("empty folder, bad prefix", "-", "a/b", "画像保存先を設定してください",
                "cmdSelectFolder");
        dataRow("missing folder, bad prefix", "/gone", "a/b", notFound, "cmdSelectFolder");
        dataRow("plain file as folder", "/shots.txt", "scr", notFound, "cmdSelectFolder");
        dataRow("slash in prefix", "", "a/b", "ファイル名に使用できない文字が含まれています",
                "txtTopNm");
    }
    void refusals()
    {
        QFETCH(QString, folder);
        QFETCH(QString, prefix);
        QFETCH(QString, warning);
        QFETCH(QString, focus);
        CaptureHarness h;
        QFile plain(h.shots.path() + "/shots.txt");
        QVERIFY(plain.open(QIODevice::WriteOnly));
        h.set("txtSaveFolder", folder == "-" ? QString() : h.shots.path() + folder);
        h.set("txtTopNm", prefix);
        h.w.show();
        h.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.w));
        h.child("cmdTmSet")->setFocus();
        const QStringList trayCalls = h.fake.trayCalls;

        h.pressConfirm();
        QCOMPARE(h.fake.messageTexts(), QStringList{warning});
        QCOMPARE(QApplication::focusWidget(), h.child(focus));
        // Nothing else changed.
        QVERIFY(!h.w.isArmed() && h.controlsEnabled(true) && h.w.panelText(1).isEmpty());
        QCOMPARE(h.fake.trayCalls, trayCalls);
    }

    // The button arms, the menu item disarms; the start watch fires only in the start minute.
    void armAndDisarm()
    {
        CaptureHarness h;
        h.arm(QStringLiteral("0900"), QStringLiteral("1730"), 15);
        QVERIFY(h.w.isArmed() && h.controlsEnabled(false) && h.child("cmdTmSet")->isEnabled());
        QCOMPARE(h.w.panelText(1), QStringLiteral("設定中..."));
        QVERIFY(h.trayShows("picTaskIcon_1", QStringLiteral("Snapsentry - 設定中")));
        for (int minute : {9 * 60 + 1, 23 * 60 + 59, 8 * 60 + 59})
            h.tick(minute, 0);
        QVERIFY(h.active("StartTimer") && !h.active("CapTimer"));

        h.tick(9 * 60, 0);
        QVERIFY(!h.active("StartTimer") && h.active("CapTimer"));
        QCOMPARE(h.fake.grabs.size(), 1);
        h.child<QAction>("M_File_1")->trigger();
        QVERIFY(!h.w.isArmed() && h.controlsEnabled(true) && h.w.panelText(1).isEmpty());
        QVERIFY(!h.active("StartTimer") && !h.active("CapTimer") && h.fake.messages.isEmpty());
        QVERIFY(h.trayShows("picTaskIcon_0", QStringLiteral("Snapsentry")));

        h.pressConfirm(); // a second arming starts the count and the schedule afresh
        QCOMPARE(int(h.w.runVariables().CapCount), 0);
        QCOMPARE(h.w.runVariables().NextTime, QStringLiteral("0900"));
    }
};

QTEST_MAIN(tst_Arming)
#include "tst_Arming.moc"
