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
        void trigger(const char *action)
        {
            w.findChild<QAction *>(QLatin1String(action))->trigger();
        }
    };

    static void verifyInTray(const Shown &s)
    {
        QVERIFY(!s.w.isVisible());
        QVERIFY(s.w.isMinimized());
        QVERIFY(s.fake.trayShown);
        QCOMPARE(s.fake.trayCalls.last(), QStringLiteral("add"));
    }

    static void verifyRestored(const Shown &s)
    {
        QVERIFY(s.w.isVisible());
        QVERIFY(!s.w.isMinimized());
        QVERIFY(!s.fake.trayShown);
    }

private Q_SLOTS:
    void startsWithoutIcon()
    {
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        QVERIFY(s.w.isVisible());
        QVERIFY(!s.fake.trayShown);
        QCOMPARE(s.fake.trayCalls.first(), QStringLiteral("add"));
        QCOMPARE(s.fake.trayCalls.last(), QStringLiteral("remove"));
    }

    void minimisingHidesBehindIdleIcon()
    {
        Shown s;
        s.minimise();
        verifyInTray(s);
        QCOMPARE(s.fake.trayData.tip, QStringLiteral("Snapsentry"));
        QVERIFY(!s.fake.trayData.icon.isNull());
    }

    void leftPressRestores()
    {
        Shown s;
        s.minimise();
        s.fake.trayHandler(platform::LeftButtonDown);
        verifyRestored(s);
        QCOMPARE(s.fake.trayCalls.last(), QStringLiteral("remove"));
        // Minimised again, the icon comes back.
        s.minimise();
        verifyInTray(s);
    }

    void otherMouseMessagesAreIgnored_data()
    {
        QTest::addColumn<int>("message");
        QTest::newRow("pointer move") << int(platform::MouseMove);
        QTest::newRow("left release") << int(platform::LeftButtonUp);
        QTest::newRow("left double click") << int(platform::LeftButtonDoubleClick);
        QTest::newRow("right release") << int(platform::RightButtonUp);
        QTest::newRow("middle press") << int(platform::MiddleButtonDown);
    }

    void otherMouseMessagesAreIgnored()
    {
        QFETCH(int, message);
        Shown s;
        s.minimise();
        const QStringList calls = s.fake.trayCalls;
        s.fake.trayHandler(message);
        QCoreApplication::processEvents();
        verifyInTray(s);
        QCOMPARE(s.fake.trayCalls, calls);
        QVERIFY(!s.w.taskBarMenu()->isVisible());
    }

    void rightPressOpensTrayMenu()
    {
        Shown s;
        s.minimise();
        s.fake.trayHandler(platform::RightButtonDown);
        QMenu *menu = s.w.taskBarMenu();
        QTRY_VERIFY(menu->isVisible());
        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("開く(&O)"));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[2]->text(), QStringLiteral("終了"));
        verifyInTray(s); // the menu alone changes nothing

        menu->close();
        items[0]->trigger();
        verifyRestored(s);
    }

    void fileMenuStoresInTray()
    {
        Shown s;
        s.trigger("M_File_2");
        verifyInTray(s);
    }

    void withoutTrayTheWindowStaysOnTheTaskbar()
    {
        Shown s;
        s.fake.trayAvailable = false;
        const int calls = s.fake.trayCalls.size();
        s.minimise();
        QVERIFY(s.w.isMinimized());
        QVERIFY(s.w.isVisible());
        s.trigger("M_File_2");
        QVERIFY(s.w.isMinimized());
        QVERIFY(s.w.isVisible());
        QVERIFY(!s.fake.trayCalls.mid(calls).contains(QStringLiteral("add")));
        QVERIFY(!s.fake.trayShown);
    }

    void exitFromTrayWhileArmedIsRefused()
    {
        Shown s;
        s.w.findChild<QPushButton *>(QStringLiteral("cmdTmSet"))->setText(QStringLiteral("ｷｬﾝｾﾙ"));
        s.minimise();
        s.trigger("M_TaskBar_3");
        QCOMPARE(
            s.fake.messageTexts(),
            QStringList{QStringLiteral("設定中です、終了するには設定をキャンセルしてください")});
        QVERIFY(!s.fake.exitCode);
        verifyInTray(s);
    }

    void exitFromTrayWhileDisarmedEnds()
    {
        Shown s;
        s.minimise();
        s.trigger("M_TaskBar_3");
        QCOMPARE(s.fake.exitCode, std::optional<int>(0));
        QVERIFY(!s.fake.trayShown);
        QVERIFY(QFile::exists(s.fake.appFile(QStringLiteral("Snapsentry.ini"))));
    }
};

QTEST_MAIN(tst_TrayVisibility)
#include "tst_TrayVisibility.moc"
