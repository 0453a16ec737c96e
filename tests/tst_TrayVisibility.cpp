// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "WindowHarness.h"

// The tray icon exists exactly while the window is minimised and hidden.
class tst_TrayVisibility : public QObject
{
    Q_OBJECT

    static void minimise(WindowHarness &h)
    {
        h.w.setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
    }
    static bool inTray(const WindowHarness &h)
    {
        return !h.w.isVisible() && h.w.isMinimized() && h.fake.trayShown;
    }

private Q_SLOTS:
    // A left click restores; the context click opens the tray menu; others do nothing.
    void activation_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("expected");
        dataRow("left click", int(QSystemTrayIcon::Trigger), "restored");
        dataRow("context click", int(QSystemTrayIcon::Context), "menu");
        dataRow("double click", int(QSystemTrayIcon::DoubleClick), "");
        dataRow("middle click", int(QSystemTrayIcon::MiddleClick), "");
    }
    void activation()
    {
        QFETCH(int, reason);
        QFETCH(QString, expected);
        WindowHarness h;
        showActive(h.w);
        QCOMPARE(h.panels(), (QStringList{"", " 2026/12/07 09:00:00 "}));
        minimise(h);
        QVERIFY(inTray(h));
        QWidget other; // the user works in another program meanwhile
        showActive(other);
        // The status clock rests in the tray and is current the moment the window is back.
        QVERIFY(!h.child<QTimer>("Timer")->isActive());
        h.fake.setTime(10, 11, 12);
        h.fake.trayHandler(QSystemTrayIcon::ActivationReason(reason));
        QCoreApplication::processEvents();
        QCOMPARE(h.w.taskBarMenu()->isVisible(), expected == "menu");
        h.w.taskBarMenu()->hide();
        QCOMPARE(inTray(h), expected != "restored");
        if (expected != "restored")
            return;
        QVERIFY(h.w.isVisible() && !h.w.isMinimized() && !h.fake.trayShown);
        QTRY_VERIFY(h.w.isActiveWindow());
        QCOMPARE(h.panels(), (QStringList{"", " 2026/12/07 10:11:12 "}));
        QVERIFY(h.child<QTimer>("Timer")->isActive());
        minimise(h); // and back again
        QVERIFY(inTray(h));
    }

    void withoutTrayTheWindowStaysOnTheTaskbar()
    {
        WindowHarness h;
        h.w.show();
        h.fake.trayAvailable = false;
        minimise(h);
        QVERIFY(h.w.isMinimized() && h.w.isVisible() && !h.fake.trayShown);
    }
};

QTEST_MAIN(tst_TrayVisibility)
#include "tst_TrayVisibility.moc"
