// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Harness.h"
#include "shell/SessionEnd.h"

#include <csignal>

class tst_FormLoadUnload : public QObject
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
        QCOMPARE(h.w.centralWidget()->size(), QSize(342, 279));
        QCOMPARE(h.w.minimumSize(), h.w.maximumSize()); // not resizable
        // Registered idle, then the first show takes the icon away.
        QVERIFY(h.trayShows("tray_idle", QStringLiteral("Snapsentry")) && h.fake.trayShown);
        h.w.show();
        QVERIFY(!h.fake.trayShown);

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
            QTest::keyClick(h.child<QLineEdit>("txtTopNm"), Qt::Key_X); // cannot lengthen it
            h.w.close();
            QCOMPARE(h.ini(), before);
        }
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
        SessionEnd sessionEnd(h.w, h.fake.platform());
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
    }
};

QTEST_MAIN(tst_FormLoadUnload)
#include "tst_FormLoadUnload.moc"
