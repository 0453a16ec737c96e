// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "shell/frmMain.h"
#include "support/frmVersion.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class tst_Menus : public QObject
{
    Q_OBJECT

    // "caption|shortcut" per item, "-" for a separator.
    static QStringList items(const QMenu *menu)
    {
        QStringList list;
        for (const QAction *a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-")
                                      : a->text() + QLatin1Char('|') + a->shortcut().toString());
        return list;
    }

    // What the program did, as far as the menu items can make it do something.
    static QString effect(const FakePlatform &fake, const frmMain &w)
    {
        QStringList e;
        if (!w.isVisible())
            e << QStringLiteral("hidden");
        if (fake.trayShown)
            e << QStringLiteral("tray");
        if (fake.exitCode)
            e << QStringLiteral("exit %1").arg(*fake.exitCode);
        for (const QString &d : fake.openedDocuments)
            e << QStringLiteral("open ") + QFileInfo(d).fileName();
        for (const QString &u : fake.openedUrls)
            e << QStringLiteral("browse ") + u;
        return e.join(QStringLiteral(", "));
    }

    static void showActive(frmMain &w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private Q_SLOTS:
    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("File") << QStringLiteral("M_FileMain")
                              << QStringList{QStringLiteral("確定/ｷｬﾝｾﾙ(&S)|F5"),
                                             QStringLiteral("ﾀｽｸﾄﾚｲに格納(&M)|"),
                                             QStringLiteral("-"), QStringLiteral("終了(&X)|")};
        QTest::newRow("Help") << QStringLiteral("M_HelpMain")
                              << QStringList{QStringLiteral("Readme.txt(&R)...|F1"),
                                             QStringLiteral("Webページ(&W)...|"),
                                             QStringLiteral("-"),
                                             QStringLiteral("バージョン情報(&A)...|")};
    }

    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, expected);
        FakePlatform fake;
        frmMain w(fake.platform());
        QCOMPARE(items(w.findChild<QMenu *>(menu)), expected);
        QStringList bar;
        for (const QAction *a : w.menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("ヘルプ(&H)")}));
    }

    void itemReachesItsProcedure_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");
        QTest::newRow("store in tray")
            << QStringLiteral("M_File_2") << QStringLiteral("hidden, tray");
        QTest::newRow("exit") << QStringLiteral("M_File_4") << QStringLiteral("hidden, exit 0");
        QTest::newRow("Readme") << QStringLiteral("M_Help_1") << QStringLiteral("open Readme.txt");
        QTest::newRow("web page") << QStringLiteral("M_Help_2")
                                  << QStringLiteral("browse ") + QString::fromUtf8(buildinfo::Url);
    }

    void itemReachesItsProcedure()
    {
        QFETCH(QString, item);
        QFETCH(QString, expected);
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        showActive(w);
        w.findChild<QAction *>(item)->trigger();
        QCOMPARE(effect(fake, w), expected);
        QVERIFY(fake.messages.isEmpty());
    }

    void aboutBoxIsModalOverMainWindow()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        showActive(w);
        QPointer<QWidget> box;
        bool modalOverMain = false;
        // Runs inside the box's own event loop; a second shot guards against a hang.
        QTimer::singleShot(0, this, [&] {
            box = QApplication::activeModalWidget();
            modalOverMain = qobject_cast<frmVersion *>(box) && box->isModal() && box->isVisible() &&
                            box->parentWidget() == &w;
            if (box)
                box->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        QTimer::singleShot(5000, this, [] {
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
        });
        w.findChild<QAction *>(QStringLiteral("M_Help_4"))->trigger();
        QVERIFY(modalOverMain);
        QVERIFY(box.isNull()); // closed means gone: the next opening builds a new box
        QCOMPARE(effect(fake, w), QString());
    }

    void f1OpensReadmeFromAnyControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("hour list") << QStringLiteral("cmbStTm_0");
        QTest::newRow("read-only folder box") << QStringLiteral("txtSaveFolder");
        QTest::newRow("prefix box") << QStringLiteral("txtTopNm");
        QTest::newRow("option button") << QStringLiteral("opEnd_1");
        QTest::newRow("confirm button") << QStringLiteral("cmdTmSet");
    }

    void f1OpensReadmeFromAnyControl()
    {
        QFETCH(QString, control);
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        showActive(w);
        w.findChild<QWidget *>(control)->setFocus();
        QTest::keyClick(w.windowHandle(), Qt::Key_F1);
        QCOMPARE(effect(fake, w), QStringLiteral("open Readme.txt"));
    }
};

QTEST_MAIN(tst_Menus)
#include "tst_Menus.moc"
