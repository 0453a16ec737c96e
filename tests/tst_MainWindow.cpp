// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Harness.h"
#include "shell/remote/CaptureService.h"
#include "shell/remote/Taps.h"
#include "shell/startup/SessionEnd.h"

#include <csignal>
#include <optional>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartShowsDefaultsAndSavesAllKeys()
    {
        WindowHarness h;
        // Each list as "first..last (count) shown".
        const auto list = [&h](const char *name) {
            const auto *l = h.child<QComboBox>(name);
            return QStringLiteral("%1..%2 (%3) %4")
                .arg(l->itemText(0), l->itemText(l->count() - 1))
                .arg(l->count())
                .arg(l->currentText());
        };
        for (const char *hours : {"cmbStTm_0", "cmbEdTm_0"})
            QCOMPARE(list(hours), "00..23 (24) 00");
        for (const char *minutes : {"cmbStTm_1", "cmbEdTm_1"})
            QCOMPARE(list(minutes), "00..59 (60) 00");
        QCOMPARE(list("cmbStep"), "01..60 (60) 01");
        QCOMPARE(h.w.centralWidget()->size(), QSize(342, 279)); // and the status bar: 298
        QCOMPARE(h.w.statusBar()->height(), 19);
        QCOMPARE(h.w.minimumSize(), h.w.maximumSize()); // not resizable
        // Registered idle, then the first show takes the icon away.
        QVERIFY(h.trayShows("tray_idle", QStringLiteral("Snapsentry")) && h.fake.trayShown);
        h.w.show();
        QVERIFY(!h.fake.trayShown && h.child("linEtched")->isVisible()); // the line under the menus

        QVERIFY(h.w.close());
        QCOMPARE(h.fake.exitCode, std::optional<int>(0));
        const QByteArray folder = h.shots.path().toUtf8();
        QCOMPARE(h.ini(), "[Main]\nStartTimeH=00\nStartTimeN=00\nEndTimeH=00\nEndTimeN=00\n"
                          "Step=01\nSaveFolder=" +
                              folder + "\nTopName=\nEndType=0\n");
    }

    // Settings save back unchanged, a prefix longer than the box's 30 characters too.
    void savedSettingsRoundTrip()
    {
        const QByteArray prefix = QStringLiteral("四十文字の接頭辞").repeated(5).toUtf8();
        for (const char *endType : {"1", "2"}) {
            WindowHarness h("StartTimeH=22\nStartTimeN=05\nEndTimeH=02\nEndTimeN=59\nStep=60\n"
                            "SaveFolder=/tmp/存在しない フォルダ\nTopName=" +
                            prefix + "\nEndType=" + endType + "\n");
            const QByteArray before = h.ini();
            QVERIFY(h.loaded);
            auto *box = h.child<QLineEdit>("txtTopNm");
            QTest::keyClick(box, Qt::Key_X); // cannot lengthen it
            h.w.close();
            QCOMPARE(h.ini(), before);
            box->setCursorPosition(3); // shortening it leaves the cursor where it was
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->cursorPosition(), 2);
            QTest::keyClick(box, Qt::Key_X); // nor lengthen it again
            QCOMPARE(box->text().size(), 39);
        }
        WindowHarness h("EndType=1\n"); // a changed end action is saved, the last one too
        h.child<QRadioButton>("opEnd_2")->setChecked(true);
        h.w.close();
        QVERIFY(h.ini().contains("\nEndType=2\n"));
    }

    // EndType is a number rounded half to even; the lists take their own texts only.
    void storedValue_data()
    {
        // option: checked after the load; empty: the load refuses
        columns<QString, QString>("line", "option");
        dataRow("EndType 1.4", "EndType=1.4", "1");
        dataRow("EndType 2.5 to even", "EndType=2.5", "2");
        dataRow("one-digit hour", "StartTimeH=7", "");
        dataRow("hour with a sign", "StartTimeN=+07", "");
        dataRow("step 00", "Step=00", "");
        dataRow("empty end minute", "EndTimeN=", "");
        dataRow("end hour 24", "EndTimeH=24", "");
        dataRow("EndType 3", "EndType=3", "");
        dataRow("EndType -1", "EndType=-1", "");
        dataRow("EndType letter", "EndType=a", "");
        dataRow("EndType NaN", "EndType=NaN", "");
    }
    void storedValue()
    {
        const auto [line, option] = fetch<QString, QString>("line", "option");
        WindowHarness h(line.toUtf8() + "\n");
        if (!option.isEmpty()) {
            QVERIFY(h.loaded && h.child<QRadioButton>("opEnd_" + option)->isChecked());
            return;
        }
        const QString refusal = QStringLiteral("%1 の値 \"%2\" は選択できる値ではありません")
                                    .arg(line.section('=', 0, 0), line.section('=', 1));
        QVERIFY(!h.loaded);
        QCOMPARE(h.fake.messageTexts(), QStringList{"フォームロードエラー\r\n" + refusal});
        QCOMPARE(h.fake.logEntries(), QStringList{"[frmMain]-[Form_Load] " + refusal});
        QCOMPARE(h.fake.exitCode, std::optional<int>(1));
        // Nothing saved, and no tray icon was ever registered.
        QCOMPARE(h.ini(), "[Main]\n" + line.toUtf8() + "\n");
        QVERIFY(h.fake.trayCalls.isEmpty());
    }

    // A logout or a kill saves what closing the window saves, armed or not.
    void savesAsAnExitWould_data()
    {
        // signalNumber 0: the session manager ends the session
        columns<int, bool>("signalNumber", "armed");
        dataRow("SIGTERM", SIGTERM, false);
        dataRow("SIGHUP while armed", SIGHUP, true);
        dataRow("SIGINT", SIGINT, false);
        dataRow("session end while armed", 0, true);
    }
    void savesAsAnExitWould()
    {
        const auto [signalNumber, armed] = fetch<int, bool>("signalNumber", "armed");
        WindowHarness h("Step=05\n");
        h.w.show();
        h.set("txtSaveFolder", h.shots.path());
        if (armed)
            h.pressConfirm();
        QCOMPARE(h.w.isArmed(), armed);
        struct sigaction before = {}, after = {};
        ::sigaction(SIGTERM, nullptr, &before);
        auto sessionEnd = std::make_unique<SessionEnd>(h.w, h.fake.platform());
        if (signalNumber != 0) {
            ::raise(signalNumber);
        } else {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        }
        QTRY_COMPARE(h.fake.exitCode, std::optional<int>(signalNumber ? 128 + signalNumber : 0));
        QVERIFY(h.fake.messages.isEmpty()); // no refusal while armed
        QCOMPARE(h.fake.trayCalls.last(), QStringLiteral("remove"));
        QCOMPARE(h.ini(), "[Main]\nStep=05\nStartTimeH=00\nStartTimeN=00\nEndTimeH=00\n"
                          "EndTimeN=00\nSaveFolder=" +
                              h.shots.path().toUtf8() + "\nTopName=\nEndType=0\n");
        sessionEnd.reset(); // and the signals' handling goes back to what it was
        ::sigaction(SIGTERM, nullptr, &after);
        QVERIFY(after.sa_handler == before.sa_handler);
    }

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
        columns<QString, QString>("grabError", "warning"); // no warning: armed
        dataRow("allowed", "", "");
        dataRow("refused", "画面の撮影が許可されていません (デスクトップポータル): 2",
                platform::captureRefusedWarning());
        dataRow("some monitors not shared", "画面の一部しか共有されていません (ScreenCast): 1/2",
                platform::shareIncompleteWarning());
        dataRow("no answer in time", "画面を取り込めません (デスクトップポータル): 時間切れ", "");
    }
    void trialGrab()
    {
        const auto [grabError, warning] = fetch<QString, QString>("grabError", "warning");
        const bool armed = warning.isEmpty();
        WindowHarness h;
        h.fake.asksPermissionAnswer = true;
        h.fake.holdGrabs = true;
        h.fake.grabError = grabError;
        // Armed from the bus: the caller has its answer once the desktop has.
        TappedMessageBox box(h.fake);
        TappedProcess process(h.fake);
        CaptureService service(h.w, box, process);
        std::optional<QString> answer;
        service.arm([&answer](const QString &refusal) { answer = refusal; });
        h.pressConfirm(); // while the desktop asks
        QVERIFY(!h.w.isArmed() && h.fake.grabs.size() == 1 && !answer);
        h.fake.finishGrab();
        QCOMPARE(h.w.isArmed(), armed);
        QCOMPARE(answer.value_or("no answer").isEmpty(), armed);
        QCOMPARE(h.fake.messageTexts(), armed ? QStringList() : QStringList{warning});
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

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
