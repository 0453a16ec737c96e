// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The confirm/cancel menu item and its F5 key lead to the same toggle as the
// button, armed or not, wherever the focus is.
#include "FakePlatform.h"
#include "shell/frmMain.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

class tst_MenuArming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void f5ArmsAndDisarms_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("hour list") << QStringLiteral("cmbStTm_0");
        QTest::newRow("prefix box") << QStringLiteral("txtTopNm");
        QTest::newRow("read-only folder box") << QStringLiteral("txtSaveFolder");
        QTest::newRow("confirm button") << QStringLiteral("cmdTmSet");
    }

    void f5ArmsAndDisarms()
    {
        QFETCH(QString, control);
        FakePlatform fake;
        QTemporaryDir shots;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        w.findChild<QLineEdit *>(QStringLiteral("txtSaveFolder"))->setText(shots.path());
        w.findChild<QLineEdit *>(QStringLiteral("txtTopNm"))->setText(QStringLiteral("scr"));
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.findChild<QWidget *>(control)->setFocus();

        QTest::keyClick(w.windowHandle(), Qt::Key_F5);
        QVERIFY(w.isArmed());
        // Arming locks the settings controls; F1 and F5 still reach the window.
        QTest::keyClick(w.windowHandle(), Qt::Key_F1);
        QCOMPARE(fake.openedDocuments.size(), 1);
        QTest::keyClick(w.windowHandle(), Qt::Key_F5);
        QVERIFY(!w.isArmed());
        QVERIFY(fake.messages.isEmpty());

        // The menu item does the same.
        w.findChild<QAction *>(QStringLiteral("M_File_1"))->trigger();
        QVERIFY(w.isArmed());
        w.findChild<QAction *>(QStringLiteral("M_File_1"))->trigger();
        QVERIFY(!w.isArmed());
    }
};

QTEST_MAIN(tst_MenuArming)
#include "tst_MenuArming.moc"
