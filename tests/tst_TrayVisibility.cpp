// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "platform/Tray.h"
#include "shell/frmMain.h"

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
        s.fake.trayHandler(platform::LeftButtonDown);
        QVERIFY(s.restored());
        s.minimise(); // and back again
        QVERIFY(s.inTray());
    }

    void otherMouseMessagesAreIgnored_data()
    {
        QTest::addColumn<int>("message");
        QTest::newRow("pointer move") << int(platform::MouseMove);
        QTest::newRow("left release") << int(platform::LeftButtonUp);
        QTest::newRow("left double click") << int(platform::LeftButtonDoubleClick);
        QTest::newRow("right release") << int(platform::RightButtonUp);
    }

    void otherMouseMessagesAreIgnored()
    {
        QFETCH(int, message);
        Shown s;
        s.minimise();
        s.fake.trayHandler(message);
        QCoreApplication::processEvents();
        QVERIFY(s.inTray());
        QVERIFY(!s.w.taskBarMenu()->isVisible());
    }

    void rightPressPopsUpTheTrayMenu()
    {
        Shown s;
        s.minimise();
        s.fake.trayHandler(platform::RightButtonDown);
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
        s.w.findChild<QPushButton *>("cmdTmSet")->setText("ｷｬﾝｾﾙ");
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
