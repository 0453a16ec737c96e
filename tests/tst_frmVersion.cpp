// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "support/frmVersion.h"

#include <QLabel>
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

    // Keys as the keyboard delivers them, to whatever has the focus; a key may
    // carry the modifiers held with it.
    static void type(frmVersion &box, const KeyList &keys)
    {
        for (int key : keys)
            for (bool press : {true, false})
                QTest::simulateEvent(box.windowHandle(), press, key & ~Qt::KeyboardModifierMask,
                                     Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask),
                                     QString(), false);
    }

private Q_SLOTS:
    void showsVersionDataWhole()
    {
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        QStringList texts{box.windowTitle()};
        for (const char *name : {"lblTitle", "lblLastUpdate", "lblCopyright", "lblMail", "lblURL"})
            texts << box.findChild<QLabel *>(QLatin1String(name))->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("バージョン情報"),
                                     QStringLiteral("Snapsentry  Ver %1.%2")
                                         .arg(buildinfo::VersionMajor)
                                         .arg(buildinfo::VersionMinor),
                                     QStringLiteral("LastUpdate: ") + buildinfo::LastUpdate,
                                     QString::fromUtf8(buildinfo::Copyright),
                                     QStringLiteral("Mail: ") + buildinfo::Mail,
                                     QStringLiteral("URL: ") + buildinfo::Url}));
        // Whatever the build put in, each line is shown whole.
        for (const QLabel *label : box.findChildren<QLabel *>())
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
    }

    void keySequence_data()
    {
        QTest::addColumn<KeyList>("keys");
        QTest::addColumn<int>("opened");
        const int K = Qt::Key_K, Q = Qt::Key_Q, V = Qt::Key_V, Shift = Qt::ShiftModifier;
        QTest::newRow("kqv") << KeyList{K, Q, V} << 1;
        QTest::newRow("KQV with Shift held")
            << KeyList{Qt::Key_Shift | Shift, K | Shift, Q | Shift, V | Shift} << 1;
        QTest::newRow("KQVKQV opens twice") << KeyList{K, Q, V, K, Q, V} << 2;
        QTest::newRow("KKQV: the second K is no new start") << KeyList{K, K, Q, V} << 0;
        QTest::newRow("Shift alone between letters") << KeyList{K, Q, Qt::Key_Shift, V} << 0;
        QTest::newRow("Escape between letters") << KeyList{K, Q, Qt::Key_Escape, V} << 0;
    }

    void keySequence()
    {
        QFETCH(KeyList, keys);
        QFETCH(int, opened);
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        type(box, keys);
        QCOMPARE(fake.openedFolders, QStringList(opened, fake.dataDir()));
        QVERIFY(box.isVisible()); // Escape closes nothing
        QVERIFY(fake.messages.isEmpty());
    }

    void failingOpenerIsReported()
    {
        FakePlatform fake;
        fake.folderError = QStringLiteral("xdg-open: No such file or directory");
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        type(box, {Qt::Key_K, Qt::Key_Q, Qt::Key_V});
        QCOMPARE(fake.messageTexts(),
                 QStringList{QStringLiteral("キーダウンエラー\r\n") + fake.folderError});
    }
};

QTEST_MAIN(tst_frmVersion)
#include "tst_frmVersion.moc"
