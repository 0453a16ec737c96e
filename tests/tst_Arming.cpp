// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Harness.h"

class tst_Arming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The checks run in order; the first that fails is the only one the user sees.
    void refusals_data()
    {
        // folder: added to the shots folder; "-" leaves it empty
        columns<QString, QString, QString, QString>("folder", "prefix", "warning", "focus");
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
        const auto [folder, prefix, warning, focus] =
            fetch<QString, QString, QString, QString>("folder", "prefix", "warning", "focus");
        WindowHarness h;
        QFile plain(h.shots.path() + "/shots.txt");
        QVERIFY(plain.open(QIODevice::WriteOnly));
        h.set("txtSaveFolder", folder == "-" ? QString() : h.shots.path() + folder);
        h.set("txtTopNm", prefix);
        showActive(h.w);
        h.child("cmdTmSet")->setFocus();
        const QStringList trayCalls = h.fake.trayCalls;

        h.pressConfirm();
        QCOMPARE(h.fake.messageTexts(), QStringList{warning});
        QCOMPARE(QApplication::focusWidget(), h.child(focus));
        // Nothing else changed.
        QVERIFY(!h.w.isArmed() && h.controlsEnabled(true) && h.panels()[0].isEmpty());
        QCOMPARE(h.fake.trayCalls, trayCalls);
    }

    // Where the desktop asks first, a trial grab (not kept) must not be refused.
    void trialGrab_data()
    {
        columns<QString, bool>("grabError", "armed");
        dataRow("allowed", "", true);
        dataRow("refused", "画面の撮影が許可されていません (デスクトップポータル): 2", false);
        dataRow("no answer in time", "画面を取り込めません (デスクトップポータル): 時間切れ", true);
    }
    void trialGrab()
    {
        const auto [grabError, armed] = fetch<QString, bool>("grabError", "armed");
        WindowHarness h;
        h.fake.asksPermissionAnswer = true;
        h.fake.holdGrabs = true;
        h.fake.grabError = grabError;
        h.pressConfirm();
        h.pressConfirm(); // while the desktop asks
        QVERIFY(!h.w.isArmed() && h.fake.grabs.size() == 1);
        h.fake.finishGrab();
        QCOMPARE(h.w.isArmed(), armed);
        QCOMPARE(h.fake.messageTexts(),
                 armed ? QStringList() : QStringList{platform::captureRefusedWarning()});
        QVERIFY(!QFile::exists(h.fake.grabs[0]));
    }

    // The button arms, the menu item disarms, and the window shows each state.
    void armAndDisarm()
    {
        WindowHarness h;
        h.arm(QStringLiteral("0900"), QStringLiteral("1730"), 15);
        QVERIFY(h.w.isArmed() && h.controlsEnabled(false) && h.child("cmdTmSet")->isEnabled());
        QCOMPARE(h.child<QPushButton>("cmdTmSet")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(h.panels()[0], QStringLiteral("設定中..."));
        QVERIFY(h.trayShows("tray_armed", QStringLiteral("Snapsentry - 設定中")));
        h.shootNow();
        QCOMPARE(h.panels()[0], QStringLiteral("設定中...  [Capture: 1 ]"));

        h.child<QAction>("M_File_1")->trigger();
        QVERIFY(!h.w.isArmed() && h.controlsEnabled(true) && h.panels()[0].isEmpty());
        QCOMPARE(h.child<QPushButton>("cmdTmSet")->text(), QStringLiteral("確定"));
        QVERIFY(h.trayShows("tray_idle", QStringLiteral("Snapsentry")));
    }

    // A run's end disarms, then acts; its message brings the window to the front.
    void endActions_data()
    {
        // minimised: else behind another program's window
        columns<int, bool>("action", "minimised");
        dataRow("nothing", 0, true);
        dataRow("message", 1, true);
        dataRow("message, behind another window", 1, false);
        dataRow("close", 2, true);
    }
    void endActions()
    {
        const auto [action, minimised] = fetch<int, bool>("action", "minimised");
        WindowHarness h;
        QWidget other;
        if (minimised) {
            h.w.setWindowState(Qt::WindowMinimized);
        } else {
            h.w.show();
            showActive(other);
        }
        h.arm(QStringLiteral("0900"), QStringLiteral("0900"), 5, action);
        bool disarmedFirst = false;
        h.fake.onMessage = [&](const FakePlatform::Message &) {
            disarmedFirst = !h.w.isArmed() && h.controlsEnabled(true) && h.w.isVisible() &&
                            !h.w.isMinimized() &&
                            QTest::qWaitFor([&h] { return h.w.isActiveWindow(); }, 1000);
        };
        h.shootNow();
        QVERIFY(!h.w.isArmed());
        QCOMPARE(h.fake.messageTexts(),
                 action == 1 ? QStringList{"キャプチャ終了 [ 1 件]"} : QStringList());
        QCOMPARE(disarmedFirst, action == 1);
        QCOMPARE(h.fake.exitCode, action == 2 ? std::optional<int>(0) : std::nullopt);
    }

    // The folder dialog's answer fills the box; a cancel keeps what was there.
    void folderDialog()
    {
        WindowHarness h;
        const QString chosen = "/home/user/画像/保存先";
        for (const auto &answer : {std::optional<QString>(), std::optional<QString>(chosen)}) {
            h.fake.folderAnswer = answer;
            h.child<QPushButton>("cmdSelectFolder")->click();
            QCOMPARE(h.child<QLineEdit>("txtSaveFolder")->text(), answer.value_or(h.shots.path()));
        }
        QCOMPARE(h.fake.folderDialogTitles, QStringList(2, "フォルダを選択してください"));
    }
};

QTEST_MAIN(tst_Arming)
#include "tst_Arming.moc"
