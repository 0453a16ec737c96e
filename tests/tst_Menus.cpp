// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "shell/frmMain.h"
#include "support/frmVersion.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class tst_Menus : public QObject
{
    Q_OBJECT

    // "caption|shortcut" for each item, "-" for a separator.
    static QStringList items(const QMenu *menu)
    {
        QStringList list;
        for (const QAction *a : menu->actions()) {
            if (a->isSeparator())
                list << QStringLiteral("-");
            else
                list << a->text() + QLatin1Char('|') + a->shortcut().toString();
            if (!a->isEnabled() || a->isCheckable())
                list << QStringLiteral("(disabled or checkable)");
        }
        return list;
    }

    static void trigger(frmMain &w, const char *name)
    {
        auto *action = w.findChild<QAction *>(QLatin1String(name));
        QVERIFY(action);
        action->trigger();
    }

    static void showActive(frmMain &w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private Q_SLOTS:
    void menuBarShowsFileAndHelpOnly()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QStringList titles;
        for (const QAction *a : w.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles,
                 (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("ヘルプ(&H)")}));
    }

    void menuItems_data()
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
        QTest::newRow("TaskBar") << QStringLiteral("M_TaskBarMain")
                                 << QStringList{QStringLiteral("開く(&O)|"), QStringLiteral("-"),
                                                QStringLiteral("終了|")};
    }

    void menuItems()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, expected);
        FakePlatform fake;
        frmMain w(fake.platform());
        auto *m = w.findChild<QMenu *>(menu);
        QVERIFY(m);
        QCOMPARE(items(m), expected);
    }

    void storeInTrayHidesWindow()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        showActive(w);
        fake.trayCalls.clear();
        trigger(w, "M_File_2");
        QVERIFY(!w.isVisible());
        QVERIFY(fake.trayShown);
        QCOMPARE(fake.trayCalls.last(), QStringLiteral("add"));
    }

    void exitUnloadsAndEnds()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        showActive(w);
        trigger(w, "M_File_4");
        QCOMPARE(fake.exitCode, std::optional<int>(0));
        QVERIFY(QFile::exists(fake.appFile(QStringLiteral("Snapsentry.ini"))));
        QVERIFY(fake.messages.isEmpty());
    }

    void helpItemsOpenReadmeAndWebPage()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        trigger(w, "M_Help_1");
        QCOMPARE(fake.openedDocuments, QStringList{fake.appFile(QStringLiteral("Readme.txt"))});
        trigger(w, "M_Help_2");
        QCOMPARE(fake.openedUrls, QStringList{QString::fromUtf8(buildinfo::Url)});
        QVERIFY(fake.messages.isEmpty());
    }

    void aboutBoxIsModalOverMainWindow()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        showActive(w);
        QPointer<QWidget> seen;
        QString seenClass;
        bool modal = false, ownedByMain = false;
        // Runs inside the box's own event loop; a second shot guards against a hang.
        QTimer::singleShot(0, this, [&] {
            seen = QApplication::activeModalWidget();
            if (!seen)
                return;
            seenClass = QString::fromLatin1(seen->metaObject()->className());
            modal = seen->isModal() && seen->isVisible();
            ownedByMain = seen->parentWidget() == &w;
            if (auto *ok = seen->findChild<QPushButton *>(QStringLiteral("cmdOK")))
                ok->click();
        });
        QTimer::singleShot(5000, this, [] {
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
        });
        trigger(w, "M_Help_4");
        QCOMPARE(seenClass, QStringLiteral("frmVersion"));
        QVERIFY(modal);
        QVERIFY(ownedByMain);
        QVERIFY(seen.isNull()); // closing unloads it: the next opening builds a new one
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w.isVisible());
        QVERIFY(!w.isArmed());
        QVERIFY(w.findChildren<frmVersion *>().isEmpty());
    }

    void f1OpensReadmeFromAnyControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("hour list") << QStringLiteral("cmbStTm_0");
        QTest::newRow("interval list") << QStringLiteral("cmbStep");
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
        auto *focus = w.findChild<QWidget *>(control);
        QVERIFY(focus);
        focus->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), focus);
        QTest::keyClick(w.windowHandle(), Qt::Key_F1);
        QCOMPARE(fake.openedDocuments, QStringList{fake.appFile(QStringLiteral("Readme.txt"))});
        QCOMPARE(QApplication::focusWidget(), focus);
    }
};

QTEST_MAIN(tst_Menus)
#include "tst_Menus.moc"
