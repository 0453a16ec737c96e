// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "shell/frmMain.h"
#include "support/frmVersion.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class tst_Menus : public QObject
{
    Q_OBJECT

    QTemporaryDir shots;

    // Loaded with a valid save folder, so that confirming arms.
    bool showLoaded(frmMain &w)
    {
        if (!w.Form_Load())
            return false;
        w.findChild<QLineEdit *>(QStringLiteral("txtSaveFolder"))->setText(shots.path());
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    }

    // What the program did, as far as the menu items can make it do something.
    static QString effect(const FakePlatform &fake, const frmMain &w, QStringList e = {})
    {
        if (!w.isVisible())
            e << QStringLiteral("hidden");
        if (w.isArmed())
            e << QStringLiteral("armed");
        if (fake.trayShown)
            e << QStringLiteral("tray");
        if (fake.exitCode)
            e << QStringLiteral("exit %1").arg(*fake.exitCode);
        for (const QString &d : fake.openedDocuments)
            e << QFileInfo(d).fileName();
        e << fake.openedUrls << fake.messageTexts();
        return e.join(QStringLiteral(", "));
    }

private Q_SLOTS:
    void trayMenuStaysOutOfMenuBar()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(!w.menuBar()->actions().contains(w.taskBarMenu()->menuAction()));
    }

    // Menu items by name; keys go to whatever control was named before them.
    void itemReachesItsProcedure_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("expected");
        QTest::newRow("confirm") << QStringList{"M_File_1"} << QStringLiteral("armed");
        QTest::newRow("store in tray") << QStringList{"M_File_2"} << QStringLiteral("hidden, tray");
        QTest::newRow("exit") << QStringList{"M_File_4"} << QStringLiteral("hidden, exit 0");
        QTest::newRow("Readme") << QStringList{"M_Help_1"} << QStringLiteral("Readme.txt");
        QTest::newRow("web page") << QStringList{"M_Help_2"} << QString::fromUtf8(buildinfo::Url);
        QTest::newRow("About box") << QStringList{"M_Help_4"} << QStringLiteral("About over main");
        QTest::newRow("tray: open") << QStringList{"M_File_2", "M_TaskBar_1"} << QString();
        QTest::newRow("tray: exit")
            << QStringList{"M_File_2", "M_TaskBar_3"} << QStringLiteral("hidden, exit 0");
        QTest::newRow("F1, F5 in the hour list")
            << QStringList{"cmbStTm_0", "F1", "F5"} << QStringLiteral("armed, Readme.txt");
        // Arming locks the folder box; F1 and F5 still reach the window.
        QTest::newRow("F5, F1, F5 in the folder box")
            << QStringList{"txtSaveFolder", "F5", "F1", "F5"} << QStringLiteral("Readme.txt");
    }

    void itemReachesItsProcedure()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, expected);
        FakePlatform fake;
        QStringList modal;
        frmMain w(fake.platform());
        QVERIFY(showLoaded(w));
        QTimer::singleShot(0, &w, [&] { // runs inside a modal box's own event loop
            if (auto *box = qobject_cast<frmVersion *>(QApplication::activeModalWidget())) {
                modal << (box->parentWidget() == &w ? "About over main" : "About");
                box->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            }
        });
        for (const QString &item : items) {
            if (auto *action = w.findChild<QAction *>(item))
                action->trigger();
            else if (auto *control = w.findChild<QWidget *>(item))
                control->setFocus();
            else
                QTest::keyClick(w.windowHandle(), QKeySequence(item)[0].key());
        }
        QCOMPARE(effect(fake, w, modal), expected);
    }
};

QTEST_MAIN(tst_Menus)
#include "tst_Menus.moc"
