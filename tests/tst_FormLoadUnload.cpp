// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "WindowHarness.h"

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
        QVERIFY(h.child<QRadioButton>("opEnd_0")->isChecked());
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

    void savedSettingsRoundTrip_data()
    {
        QTest::addColumn<QString>("endType");
        dataRow("message at the end", "1");
        dataRow("close at the end", "2");
    }
    void savedSettingsRoundTrip()
    {
        QFETCH(QString, endType);
        // The prefix is longer than the 30 characters the box lets anyone type.
        const QString prefix = QStringLiteral("四十文字の接頭辞").repeated(5);
        WindowHarness h("StartTimeH=22\nStartTimeN=05\nEndTimeH=02\nEndTimeN=59\nStep=60\n"
                        "SaveFolder=/tmp/存在しない フォルダ\nTopName=" +
                        prefix.toUtf8() + "\nEndType=" + endType.toUtf8() + "\n");
        const QByteArray before = h.ini();
        QCOMPARE(h.child<QComboBox>("cmbStTm_0")->currentText(), QStringLiteral("22"));
        QCOMPARE(h.child<QComboBox>("cmbEdTm_1")->currentText(), QStringLiteral("59"));
        QCOMPARE(h.child<QLineEdit>("txtSaveFolder")->text(),
                 QStringLiteral("/tmp/存在しない フォルダ"));
        QCOMPARE(h.child<QLineEdit>("txtTopNm")->text(), prefix);
        QTest::keyClick(h.child<QLineEdit>("txtTopNm"), Qt::Key_X); // typing cannot lengthen it
        QVERIFY(h.child<QRadioButton>("opEnd_" + endType)->isChecked());
        h.w.close();
        QCOMPARE(h.ini(), before);
    }

    // EndType is a number rounded half to even; the lists take their own texts only.
    void storedValue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("refusal"); // a digit: the option checked after the load
        const char *tail = " は選択できる値ではありません";
        dataRow("EndType 1.4", "EndType=1.4", "1");
        dataRow("EndType 2.5 to even", "EndType=2.5", "2");
        dataRow("one-digit hour", "StartTimeH=7", QString("StartTimeH の値 \"7\"") + tail);
        dataRow("hour with a sign", "StartTimeN=+07", QString("StartTimeN の値 \"+07\"") + tail);
        dataRow("step 00", "Step=00", QString("Step の値 \"00\"") + tail);
        dataRow("step 61", "Step=61", QString("Step の値 \"61\"") + tail);
        dataRow("empty end minute", "EndTimeN=", QString("EndTimeN の値 \"\"") + tail);
        dataRow("end hour 24", "EndTimeH=24", QString("EndTimeH の値 \"24\"") + tail);
        dataRow("EndType 3", "EndType=3", QString("EndType の値 \"3\"") + tail);
        dataRow("EndType -1", "EndType=-1", QString("EndType の値 \"-1\"") + tail);
        dataRow("EndType letter", "EndType=a", QString("EndType の値 \"a\"") + tail);
        dataRow("EndType NaN", "EndType=NaN", QString("EndType の値 \"NaN\"") + tail);
        dataRow("EndType overflow", "EndType=1e999", QString("EndType の値 \"1e999\"") + tail);
    }
    void storedValue()
    {
        QFETCH(QString, line);
        QFETCH(QString, refusal);
        WindowHarness h(line.toUtf8() + "\n");
        if (refusal.size() == 1) {
            QVERIFY(h.loaded && h.child<QRadioButton>("opEnd_" + refusal)->isChecked());
            return;
        }
        QVERIFY(!h.loaded);
        QCOMPARE(h.fake.messageTexts(), QStringList{"フォームロードエラー\r\n" + refusal});
        QCOMPARE(h.fake.messages[0].icon, platform::MsgIcon::Critical);
        QCOMPARE(h.fake.logEntries(), QStringList{"[frmMain]-[Form_Load] " + refusal});
        QCOMPARE(h.fake.exitCode, std::optional<int>(1));
        // Nothing saved, and no tray icon was ever registered.
        QCOMPARE(h.ini(), "[Main]\n" + line.toUtf8() + "\n");
        QVERIFY(h.fake.trayCalls.isEmpty());
    }

    void layoutIsFixed()
    {
        WindowHarness h;
        QCOMPARE(h.w.centralWidget()->size(), QSize(342, 279));
        QCOMPARE(h.w.minimumSize(), h.w.maximumSize());
        QCOMPARE(h.child<QLineEdit>("txtTopNm")->maxLength(), 30);
        QVERIFY(h.child<QLineEdit>("txtSaveFolder")->isReadOnly());
        QStringList bar, tray;
        for (QAction *a : h.w.menuBar()->actions())
            bar << a->text();
        for (QAction *a : h.w.taskBarMenu()->actions())
            tray << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(bar, (QStringList{"ファイル(&F)", "ヘルプ(&H)"}));
        QCOMPARE(tray, (QStringList{"開く(&O)", "-", "終了"}));

        // Tab walks the focusable controls in the window's order.
        QStringList walked;
        QWidget *at = h.child("cmbStTm_0");
        do {
            if (at->focusPolicy() & Qt::TabFocus)
                walked << at->objectName();
            at = at->nextInFocusChain();
        } while (at != h.child("cmbStTm_0") && walked.size() < 40);
        QCOMPARE(walked.join(' '), "cmbStTm_0 cmbStTm_1 cmbEdTm_0 cmbEdTm_1 cmbStep txtSaveFolder "
                                   "cmdSelectFolder txtTopNm opEnd_0 opEnd_1 opEnd_2 cmdTmSet");
    }
};

QTEST_MAIN(tst_FormLoadUnload)
#include "tst_FormLoadUnload.moc"
