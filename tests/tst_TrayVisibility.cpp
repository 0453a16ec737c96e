// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "shell/frmMain.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

// The tray icon exists exactly while the window is minimised and hidden.
class tst_TrayVisibility : public QObject
{
    Q_OBJECT

    struct Shown {
        FakePlatform fake;
        frmMain w{fake.platform()};
        Shown()
        {
            w.Form_Load();
            w.show();
        }
        void minimise()
        {
            w.setWindowState(Qt::WindowMinimized);
            QCoreApplication::processEvents();
        }
        bool inTray() const { return !w.isVisible() && w.isMinimized() && fake.trayShown; }
        bool restored() const { return w.isVisible() && !w.isMinimized() && !fake.trayShown; }
    };

private Q_SLOTS:
    void iconOnlyWhileMinimised()
    {
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        QVERIFY(s.restored());
        s.minimise();
        QVERIFY(s.inTray());
        QCOMPARE(s.fake.trayData.tip, QStringLiteral("Snapsentry"));
        QVERIFY(!s.fake.trayData.icon.isNull());
        // The status clock rests in the tray and is current the moment the window is back.
        QVERIFY(!s.w.findChild<QTimer *>("Timer")->isActive());
        s.fake.setTime(10, 11, 12);
        s.fake.trayHandler(QSystemTrayIcon::Trigger);
        QVERIFY(s.restored());
        QVERIFY(s.w.isActiveWindow() || QTest::qWaitForWindowActive(&s.w));
        QCOMPARE(s.w.panelText(2), QStringLiteral(" 2026/12/07 10:11:12 "));
        QVERIFY(s.w.findChild<QTimer *>("Timer")->isActive());
        s.minimise(); // and back again
        QVERIFY(s.inTray());
    }

    void otherActivationsAreIgnored_data()
    {
        QTest::addColumn<int>("reason");
        QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick);
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick);
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown);
    }

    void otherActivationsAreIgnored()
    {
        QFETCH(int, reason);
        Shown s;
        s.minimise();
        s.fake.trayHandler(QSystemTrayIcon::ActivationReason(reason));
        QCoreApplication::processEvents();
        QVERIFY(s.inTray());
        QVERIFY(!s.w.taskBarMenu()->isVisible());
    }

    void contextClickPopsUpTheTrayMenu()
    {
        Shown s;
        s.minimise();
        s.fake.trayHandler(QSystemTrayIcon::Context);
        QMenu *menu = s.w.taskBarMenu();
        QVERIFY(menu->isVisible());
        QStringList items;
        for (QAction *a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"開く(&O)", "-", "終了"}));
        menu->actions().first()->trigger();
        menu->hide();
        QVERIFY(s.restored());
    }

    void withoutTrayTheWindowStaysOnTheTaskbar()
    {
        Shown s;
        s.fake.trayAvailable = false;
        s.minimise();
        QVERIFY(s.w.isMinimized() && s.w.isVisible() && !s.fake.trayShown);
    }

    void exitFromTrayWhileArmedIsRefused()
    {
        Shown s;
        QTemporaryDir shots;
        s.w.findChild<QLineEdit *>("txtSaveFolder")->setText(shots.path());
        s.w.findChild<QPushButton *>("cmdTmSet")->click();
        QVERIFY(s.w.isArmed());
        s.minimise();
        s.w.findChild<QAction *>("M_TaskBar_3")->trigger();
        QCOMPARE(s.fake.messageTexts(),
                 QStringList{"設定中です、終了するには設定をキャンセルしてください"});
        QVERIFY(!s.fake.exitCode);
        QVERIFY(s.inTray());
    }
};

QTEST_MAIN(tst_TrayVisibility)
#include "tst_TrayVisibility.moc"
