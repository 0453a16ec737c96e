// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "WindowHarness.h"
#include "support/frmVersion.h"

class tst_Menus : public QObject
{
    Q_OBJECT

    // What the program did, as far as the menu items can make it do something.
    static QString effect(const WindowHarness &h, QStringList e)
    {
        const char *icons[] = {"(x)", "(!)", "(i)"};
        if (!h.w.isVisible())
            e << QStringLiteral("hidden");
        if (h.w.isArmed())
            e << QStringLiteral("armed");
        if (h.fake.trayShown)
            e << QStringLiteral("tray");
        if (!h.ini().isEmpty())
            e << QStringLiteral("saved");
        if (h.fake.exitCode)
            e << QStringLiteral("exit %1").arg(*h.fake.exitCode);
        for (const QString &d : h.fake.openedDocuments)
            e << QFileInfo(d).fileName();
        e << h.fake.openedUrls << h.fake.logEntries();
        for (const FakePlatform::Message &m : h.fake.messages)
            e << icons[int(m.icon)] + m.text;
        return e.join(QStringLiteral(", "));
    }

private Q_SLOTS:
    // Menu items by name; keys go to whatever control was named before them.
    void itemReachesItsProcedure_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("expected");
        const QString refusal = "(x)設定中です、終了するには設定をキャンセルしてください";
        QTest::newRow("confirm") << QStringList{"M_File_1"} << QStringLiteral("armed");
        QTest::newRow("store in tray") << QStringList{"M_File_2"} << QStringLiteral("hidden, tray");
        QTest::newRow("exit") << QStringList{"M_File_4"} << QStringLiteral("hidden, saved, exit 0");
        QTest::newRow("exit while armed")
            << QStringList{"M_File_1", "M_File_4"} << "armed, " + refusal;
        QTest::newRow("Readme") << QStringList{"M_Help_1"} << QStringLiteral("Readme.txt");
        QTest::newRow("web page") << QStringList{"M_Help_2"} << QString::fromUtf8(buildinfo::Url);
        QTest::newRow("About box") << QStringList{"M_Help_4"} << QStringLiteral("About over main");
        QTest::newRow("tray: open") << QStringList{"M_File_2", "M_TaskBar_1"} << QString();
        QTest::newRow("tray: exit")
            << QStringList{"M_File_2", "M_TaskBar_3"} << QStringLiteral("hidden, saved, exit 0");
        QTest::newRow("tray: exit while armed")
            << QStringList{"M_File_1", "M_File_2", "M_TaskBar_3"}
            << "hidden, armed, tray, " + refusal;
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
        WindowHarness h;
        showActive(h.w);
        QStringList modal;
        QTimer::singleShot(0, &h.w, [&] { // runs inside a modal box's own event loop
            if (auto *box = qobject_cast<frmVersion *>(QApplication::activeModalWidget())) {
                modal << (box->parentWidget() == &h.w ? "About over main" : "About");
                box->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            }
        });
        for (const QString &item : items) {
            if (auto *action = h.child<QAction>(item))
                action->trigger();
            else if (auto *control = h.child(item))
                control->setFocus();
            else
                QTest::keyClick(h.w.windowHandle(), QKeySequence(item)[0].key());
        }
        QCOMPARE(effect(h, modal), expected);
    }
};

QTEST_MAIN(tst_Menus)
#include "tst_Menus.moc"
