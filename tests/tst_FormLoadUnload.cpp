// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeIni(FakePlatform &fake, const QByteArray &lines)
{
    QFile f(fake.dataFile("Snapsentry.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Main]\n" + lines);
}

template <class T> T *child(const QObject &w, const char *name)
{
    T *c = w.findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

} // namespace

class tst_FormLoadUnload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartShowsDefaultsAndSavesAllKeys()
    {
        FakePlatform fake;
        {
            frmMain w(fake.platform());
            QVERIFY(w.Form_Load());
            QCOMPARE(child<QComboBox>(w, "cmbStTm_0")->count(), 24);
            QCOMPARE(child<QComboBox>(w, "cmbEdTm_1")->count(), 60);
            QCOMPARE(child<QComboBox>(w, "cmbStep")->itemText(59), QStringLiteral("60"));
            for (const char *list : {"cmbStTm_0", "cmbStTm_1", "cmbEdTm_0", "cmbEdTm_1"})
                QCOMPARE(child<QComboBox>(w, list)->currentText(), QStringLiteral("00"));
            QCOMPARE(child<QComboBox>(w, "cmbStep")->currentText(), QStringLiteral("01"));
            QVERIFY(child<QRadioButton>(w, "opEnd_0")->isChecked());
            QVERIFY(child<QTimer>(w, "Timer")->isActive());
            // The tray record is registered idle, then the first show removes the icon.
            QCOMPARE(fake.trayData.tip, QStringLiteral("Snapsentry"));
            QVERIFY(fake.trayShown);
            w.show();
            QVERIFY(!fake.trayShown);

            QVERIFY(w.close());
            QCOMPARE(fake.exitCode, std::optional<int>(0));
        }
        QCOMPARE(readAll(fake.dataFile("Snapsentry.ini")),
                 QByteArray("[Main]\nStartTimeH=00\nStartTimeN=00\nEndTimeH=00\nEndTimeN=00\n"
                            "Step=01\nSaveFolder=\nTopName=\nEndType=0\n"));
    }

    void savedSettingsRoundTrip()
    {
        FakePlatform fake;
        // The prefix is longer than the 30 characters the box lets anyone type.
        const QString prefix = QStringLiteral("四十文字の接頭辞").repeated(5);
        writeIni(fake, "StartTimeH=22\nStartTimeN=05\nEndTimeH=02\nEndTimeN=59\nStep=60\n"
                       "SaveFolder=/tmp/存在しない フォルダ\nTopName=" +
                           prefix.toUtf8() + "\nEndType=2\n");
        const QByteArray before = readAll(fake.dataFile("Snapsentry.ini"));
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        QCOMPARE(child<QComboBox>(w, "cmbStTm_0")->currentText(), QStringLiteral("22"));
        QCOMPARE(child<QComboBox>(w, "cmbEdTm_1")->currentText(), QStringLiteral("59"));
        QCOMPARE(child<QLineEdit>(w, "txtSaveFolder")->text(),
                 QStringLiteral("/tmp/存在しない フォルダ"));
        QCOMPARE(child<QLineEdit>(w, "txtTopNm")->text(), prefix);
        QTest::keyClick(child<QLineEdit>(w, "txtTopNm"), Qt::Key_X); // typing cannot lengthen it
        QVERIFY(child<QRadioButton>(w, "opEnd_2")->isChecked());
        w.close();
        QCOMPARE(readAll(fake.dataFile("Snapsentry.ini")), before);
    }

    void badValueEndsTheLoad_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("one-digit hour") << QByteArray("StartTimeH=7");
        QTest::newRow("step 00") << QByteArray("Step=00");
        QTest::newRow("step 61") << QByteArray("Step=61");
        QTest::newRow("empty time") << QByteArray("EndTimeN=");
        QTest::newRow("EndType 3") << QByteArray("EndType=3");
        QTest::newRow("EndType -1") << QByteArray("EndType=-1");
        QTest::newRow("EndType letter") << QByteArray("EndType=a");
        QTest::newRow("EndType empty") << QByteArray("EndType=");
        QTest::newRow("EndType nan") << QByteArray("EndType=nan");
        QTest::newRow("EndType NaN") << QByteArray("EndType=NaN");
        QTest::newRow("EndType inf") << QByteArray("EndType=inf");
        QTest::newRow("EndType hex") << QByteArray("EndType=0x1");
        QTest::newRow("EndType overflow") << QByteArray("EndType=1e999");
        QTest::newRow("hour with a sign") << QByteArray("StartTimeH=+07");
        QTest::newRow("step with an exponent") << QByteArray("Step=1e1");
    }

    void badValueEndsTheLoad()
    {
        QFETCH(QByteArray, line);
        FakePlatform fake;
        writeIni(fake, line + "\n");
        const QByteArray before = readAll(fake.dataFile("Snapsentry.ini"));
        frmMain w(fake.platform());
        QVERIFY(!w.Form_Load());

        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].text.startsWith(QStringLiteral("フォームロードエラー\r\n")));
        QCOMPARE(fake.messages[0].icon, platform::MsgIcon::Critical);
        const QString description =
            fake.messages[0].text.mid(QStringLiteral("フォームロードエラー\r\n").size());
        QCOMPARE(fake.logEntries(), QStringList{"[frmMain]-[Form_Load] " + description});
        QCOMPARE(fake.exitCode, std::optional<int>(1));
        // Nothing saved, and no tray icon was ever registered.
        QCOMPARE(readAll(fake.dataFile("Snapsentry.ini")), before);
        QVERIFY(fake.trayCalls.isEmpty());
    }

    void endTypeIsRoundedToAnOption()
    {
        FakePlatform fake;
        writeIni(fake, "EndType=1.4\n");
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        QVERIFY(child<QRadioButton>(w, "opEnd_1")->isChecked());
    }

    void armedWindowRefusesToClose()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        w.show();
        QTemporaryDir shots;
        child<QLineEdit>(w, "txtSaveFolder")->setText(shots.path());
        child<QPushButton>(w, "cmdTmSet")->click();
        QVERIFY(!w.close());
        QCOMPARE(fake.messageTexts(), QStringList{QStringLiteral(
                                          "設定中です、終了するには設定をキャンセルしてください")});
        QCOMPARE(fake.messages[0].icon, platform::MsgIcon::Critical);
        QVERIFY(w.isVisible());
        QVERIFY(!fake.exitCode);
        QVERIFY(!QFile::exists(fake.dataFile("Snapsentry.ini")));
        QVERIFY(!QFile::exists(fake.dataFile("Err.log"))); // a refusal is not an error
    }

    void layoutIsFixedWithTheHiddenTrayMenu()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        QCOMPARE(w.centralWidget()->size(), QSize(342, 279));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(child<QLineEdit>(w, "txtTopNm")->maxLength(), 30);
        QVERIFY(child<QLineEdit>(w, "txtSaveFolder")->isReadOnly());
        QStringList bar;
        for (QAction *a : w.menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("ヘルプ(&H)")}));
        QVERIFY(w.taskBarMenu());

        // Tab walks the focusable controls in the window's order.
        const QStringList order = {"cmbStTm_0", "cmbStTm_1",     "cmbEdTm_0",       "cmbEdTm_1",
                                   "cmbStep",   "txtSaveFolder", "cmdSelectFolder", "txtTopNm",
                                   "opEnd_0",   "opEnd_1",       "opEnd_2",         "cmdTmSet"};
        QStringList walked;
        QWidget *at = child<QWidget>(w, "cmbStTm_0");
        do {
            if (at->focusPolicy() & Qt::TabFocus)
                walked << at->objectName();
            at = at->nextInFocusChain();
        } while (at != child<QWidget>(w, "cmbStTm_0") && walked.size() < 40);
        QCOMPARE(walked, order);
    }
};

QTEST_MAIN(tst_FormLoadUnload)
#include "tst_FormLoadUnload.moc"
