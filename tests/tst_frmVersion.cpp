// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "support/frmVersion.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using KeyList = QList<int>;

class tst_frmVersion : public QObject
{
    Q_OBJECT

    static void showActive(QWidget &w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    // Keys as the keyboard delivers them, to whatever has the focus. Modifiers
    // are held, not pressed again for every key.
    static void type(frmVersion &box, const KeyList &keys, Qt::KeyboardModifiers mods = {})
    {
        for (int key : keys) {
            QTest::simulateEvent(box.windowHandle(), true, key, mods, QString(), false);
            QTest::simulateEvent(box.windowHandle(), false, key, mods, QString(), false);
        }
    }

private Q_SLOTS:
    void loadShowsVersionDataWhole()
    {
        FakePlatform fake;
        QWidget owner;
        frmVersion box(fake.platform(), &owner);
        QStringList texts;
        for (const char *name : {"lblTitle", "lblLastUpdate", "lblCopyright", "lblMail", "lblURL"})
            texts << box.findChild<QLabel *>(QLatin1String(name))->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Snapsentry  Ver %1.%2")
                                         .arg(buildinfo::VersionMajor)
                                         .arg(buildinfo::VersionMinor),
                                     QStringLiteral("LastUpdate: ") + buildinfo::LastUpdate,
                                     QString::fromUtf8(buildinfo::Copyright),
                                     QStringLiteral("Mail: ") + buildinfo::Mail,
                                     QStringLiteral("URL: ") + buildinfo::Url}));
        QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(
            !(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // Whatever the build put in, each line is shown whole and the OK button
        // stays in the middle.
        for (const QLabel *label : box.findChildren<QLabel *>()) {
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
            QVERIFY(box.rect().contains(label->geometry()));
        }
        const auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QVERIFY(qAbs(ok->geometry().center().x() - box.width() / 2) <= 2);
    }

    void keySequence_data()
    {
        QTest::addColumn<KeyList>("keys");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>("opened");
        const Qt::KeyboardModifiers none;
        const int K = Qt::Key_K, Q = Qt::Key_Q, V = Qt::Key_V;
        QTest::newRow("kqv") << KeyList{K, Q, V} << none << 1;
        QTest::newRow("Shift, then KQV with Shift held")
            << KeyList{Qt::Key_Shift, K, Q, V} << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
        QTest::newRow("KQVKQV opens twice") << KeyList{K, Q, V, K, Q, V} << none << 2;
        QTest::newRow("KQ, Q, then KQV") << KeyList{K, Q, Q, K, Q, V} << none << 1;
        QTest::newRow("KKQV: the second K is no new start") << KeyList{K, K, Q, V} << none << 0;
        QTest::newRow("Shift alone between letters")
            << KeyList{K, Q, Qt::Key_Shift, V} << none << 0;
        QTest::newRow("Escape between letters") << KeyList{K, Q, Qt::Key_Escape, V} << none << 0;
    }

    void keySequence()
    {
        QFETCH(KeyList, keys);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(int, opened);
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
        type(box, keys, mods);
        QCOMPARE(fake.openedFolders, QStringList(opened, fake.appDir()));
        QVERIFY(box.isVisible());
        QVERIFY(fake.messages.isEmpty());
    }

    void escapeKeepsBoxOpenAndEnterOnOkCloses()
    {
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        QTest::keyClick(box.windowHandle(), Qt::Key_Escape);
        QVERIFY(box.isVisible());
        QTest::keyClick(box.windowHandle(), Qt::Key_Return);
        QVERIFY(!box.isVisible());
    }

    void returningFromAnotherWindowKeepsTheCount()
    {
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        QWidget other;
        showActive(box);
        type(box, {Qt::Key_K, Qt::Key_Q});
        showActive(other);
        showActive(box);
        type(box, {Qt::Key_V});
        QCOMPARE(fake.openedFolders.size(), 1);
    }

    void failingOpenerIsReportedAndNextKeyOnlyResets()
    {
        FakePlatform fake;
        fake.folderError = QStringLiteral("xdg-open: No such file or directory");
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        type(box, {Qt::Key_K, Qt::Key_Q, Qt::Key_V});
        QCOMPARE(fake.messageTexts(),
                 QStringList{QStringLiteral("キーダウンエラー\r\n") + fake.folderError});
        QFile log(fake.appFile(QStringLiteral("Err.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().mid(323 + 21, 300).trimmed(),
                 (QStringLiteral("[frmVersion]-[Form_KeyDown] ") + fake.folderError).toUtf8());

        fake.folderError.clear();
        type(box, {Qt::Key_K, Qt::Key_Q, Qt::Key_V}); // the K only resets the completed count
        QCOMPARE(fake.openedFolders.size(), 1);
        type(box, {Qt::Key_K, Qt::Key_Q, Qt::Key_V});
        QCOMPARE(fake.openedFolders.size(), 2);
        QCOMPARE(fake.messages.size(), 1);
    }
};

QTEST_MAIN(tst_frmVersion)
#include "tst_frmVersion.moc"
