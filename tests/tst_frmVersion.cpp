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

    static QString labelText(const frmVersion &box, const char *name)
    {
        const auto *label = box.findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }

    static void showActive(QWidget &w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    // Keys as the keyboard delivers them: to whatever has the focus. Modifiers
    // are held, not pressed again for every key.
    static void type(frmVersion &box, const KeyList &keys, Qt::KeyboardModifiers mods = {})
    {
        for (int key : keys) {
            QTest::simulateEvent(box.windowHandle(), true, key, mods, QString(), false);
            QTest::simulateEvent(box.windowHandle(), false, key, mods, QString(), false);
        }
    }

private Q_SLOTS:
    void loadShowsVersionData()
    {
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(labelText(box, "lblTitle"), QStringLiteral("Snapsentry  Ver %1.%2")
                                                 .arg(buildinfo::VersionMajor)
                                                 .arg(buildinfo::VersionMinor));
        QCOMPARE(labelText(box, "lblLastUpdate"),
                 QStringLiteral("LastUpdate: ") + QString::fromUtf8(buildinfo::LastUpdate));
        QCOMPARE(labelText(box, "lblCopyright"), QString::fromUtf8(buildinfo::Copyright));
        QCOMPARE(labelText(box, "lblMail"),
                 QStringLiteral("Mail: ") + QString::fromUtf8(buildinfo::Mail));
        QCOMPARE(labelText(box, "lblURL"),
                 QStringLiteral("URL: ") + QString::fromUtf8(buildinfo::Url));
        // Whatever the build put in, every line is shown whole inside the box.
        for (const QLabel *label : box.findChildren<QLabel *>()) {
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
            QVERIFY(box.rect().contains(label->geometry()));
        }
    }

    void titleText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1.1") << 1 << 1 << QStringLiteral("Snapsentry  Ver 1.1");
        QTest::newRow("minor 5, no leading zero")
            << 1 << 5 << QStringLiteral("Snapsentry  Ver 1.5");
        QTest::newRow("two-digit minor") << 2 << 10 << QStringLiteral("Snapsentry  Ver 2.10");
    }

    void titleText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, expected);
        QCOMPARE(frmVersion::titleText(QStringLiteral("Snapsentry"), major, minor), expected);
    }

    void boxIsAFixedDialogWithOnlyOkFocusable()
    {
        FakePlatform fake;
        QWidget owner;
        frmVersion box(fake.platform(), &owner);
        QCOMPARE(box.height(), 160);
        QVERIFY(box.width() >= 226); // wider only for long build-time texts
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(
            !(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(box.windowType(), Qt::Dialog);
        const auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->geometry(), QRect(77 + (box.width() - 226) / 2, 129, 75, 23));
        QVERIFY(!ok->isDefault());
        for (const char *name : {"lblURL", "lblMail"})
            QCOMPARE(
                box.findChild<QLabel *>(QLatin1String(name))->palette().color(QPalette::WindowText),
                QColor(0, 0, 64));
        const QFont title = box.findChild<QLabel *>(QStringLiteral("lblTitle"))->font();
        QVERIFY(title.bold());
        QCOMPARE(title.pointSize(), 12);
        for (const QWidget *child : box.findChildren<QWidget *>())
            QCOMPARE(child->focusPolicy() == Qt::NoFocus, child != ok);
    }

    void keySequence_data()
    {
        QTest::addColumn<KeyList>("keys");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<int>("opened");
        const Qt::KeyboardModifiers none;
        const int K = Qt::Key_K, Q = Qt::Key_Q, V = Qt::Key_V;
        QTest::newRow("KQV") << KeyList{K, Q, V} << none << 1;
        QTest::newRow("Shift, then KQV with Shift held")
            << KeyList{Qt::Key_Shift, K, Q, V} << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
        QTest::newRow("KQVKQV opens twice") << KeyList{K, Q, V, K, Q, V} << none << 2;
        QTest::newRow("KQ then KQV") << KeyList{K, Q, Q, K, Q, V} << none << 1;
        QTest::newRow("KKQV: the second K is not a new start") << KeyList{K, K, Q, V} << none << 0;
        QTest::newRow("Shift alone between letters")
            << KeyList{K, Q, Qt::Key_Shift, V} << none << 0;
        QTest::newRow("Control alone between letters")
            << KeyList{K, Qt::Key_Control, Q, V} << none << 0;
        QTest::newRow("Escape between letters") << KeyList{K, Q, Qt::Key_Escape, V} << none << 0;
        QTest::newRow("reversed") << KeyList{V, Q, K} << none << 0;
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

    void lowerCaseLettersMatch()
    {
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        for (char c : {'k', 'q', 'v'})
            QTest::keyClick(box.windowHandle(), c);
        QCOMPARE(fake.openedFolders.size(), 1);
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
        QCOMPARE(box.result(), int(QDialog::Accepted));
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
        QCOMPARE(fake.messages.first().icon, platform::MsgIcon::Critical);
        QFile log(fake.appFile(QStringLiteral("Err.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().mid(323 + 21, 300).trimmed() ==
                (QStringLiteral("[frmVersion]-[Form_KeyDown] ") + fake.folderError).toUtf8());

        fake.folderError.clear();
        type(box, {Qt::Key_K, Qt::Key_Q, Qt::Key_V}); // K only resets the completed count
        QCOMPARE(fake.openedFolders.size(), 1);
        type(box, {Qt::Key_K, Qt::Key_Q, Qt::Key_V});
        QCOMPARE(fake.openedFolders.size(), 2);
        QCOMPARE(fake.messages.size(), 1);
    }
};

QTEST_MAIN(tst_frmVersion)
#include "tst_frmVersion.moc"
