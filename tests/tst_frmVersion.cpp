// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "WindowHarness.h"
#include "support/FitLabels.h"
#include "support/frmVersion.h"

using KeyList = QList<int>;

class tst_frmVersion : public QObject
{
    Q_OBJECT

    static QList<QLabel *> lines(const frmVersion &box)
    {
        QList<QLabel *> labels;
        for (const char *name : {"lblTitle", "lblLastUpdate", "lblCopyright", "lblMail", "lblURL"})
            labels << box.findChild<QLabel *>(QLatin1String(name));
        return labels;
    }

private Q_SLOTS:
    void showsVersionData()
    {
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        QStringList texts{box.windowTitle()};
        for (const QLabel *label : lines(box))
            texts << label->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("バージョン情報"),
                                     QStringLiteral("Snapsentry  Ver %1.%2")
                                         .arg(buildinfo::VersionMajor)
                                         .arg(buildinfo::VersionMinor),
                                     QStringLiteral("LastUpdate: ") + buildinfo::LastUpdate,
                                     QString::fromUtf8(buildinfo::Copyright),
                                     QStringLiteral("Mail: ") + buildinfo::Mail,
                                     QStringLiteral("URL: ") + buildinfo::Url}));
    }

    // Texts set at build time may be longer than the box was drawn for: each line
    // shows whole inside the box, which widens around its centre where needed.
    void longLinesFit_data()
    {
        QTest::addColumn<int>("line"); // index into lines()
        QTest::addColumn<int>("over"); // pixels beyond the label's width
        QTest::addColumn<bool>("widens");
        dataRow("build's own texts", 0, -1000, false);
        dataRow("date a little too long for its label", 1, 4, false);
        dataRow("URL too long to stay where it was", 4, 20, false);
        dataRow("copyright wider than the box", 2, 200, true);
        dataRow("left-aligned title past the edge", 0, 60, true);
    }
    void longLinesFit()
    {
        QFETCH(int, line);
        QFETCH(int, over);
        QFETCH(bool, widens);
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        const QList<QLabel *> labels = lines(box);
        QLabel *longer = labels[line];
        while (longer->fontMetrics().horizontalAdvance(longer->text()) < longer->width() + over)
            longer->setText(longer->text() + QLatin1Char('.'));
        auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        const auto okFromCentre = [&] { return ok->geometry().center().x() - box.width() / 2; };
        const int width = box.width(), okAt = okFromCentre();
        const int centreAt = longer->geometry().center().x() - box.width() / 2;
        support::fitLabels(&box, labels);

        QCOMPARE(box.width() > width, widens);
        QCOMPARE(okFromCentre(), okAt);
        // A centred line grows about its centre where the box has room for that.
        const QRect at = longer->geometry();
        const int centre = box.width() / 2 + centreAt;
        if ((longer->alignment() & Qt::AlignHCenter) && centre - at.width() / 2 > 4 &&
            centre + at.width() / 2 < box.width() - 4)
            QVERIFY(qAbs(at.center().x() - centre) <= 1);
        for (const QLabel *label : labels)
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width() &&
                         label->x() >= 4 && label->x() + label->width() <= box.width() - 4,
                     qPrintable(label->objectName()));
    }

    // Keys as the keyboard delivers them; a key may carry the modifiers held with it.
    void keys_data()
    {
        QTest::addColumn<KeyList>("keys");
        QTest::addColumn<int>("opened");
        QTest::addColumn<bool>("closed");
        const int K = Qt::Key_K, Q = Qt::Key_Q, V = Qt::Key_V, Shift = Qt::ShiftModifier;
        dataRow("kqv", KeyList{K, Q, V}, 1, false);
        dataRow("KQV with Shift held",
                KeyList{Qt::Key_Shift | Shift, K | Shift, Q | Shift, V | Shift}, 1, false);
        dataRow("KQVKQV opens twice", KeyList{K, Q, V, K, Q, V}, 2, false);
        dataRow("KKQV: the second K is no new start", KeyList{K, K, Q, V}, 0, false);
        dataRow("Shift alone between letters", KeyList{K, Q, Qt::Key_Shift, V}, 0, false);
        dataRow("Escape closes nothing", KeyList{K, Q, Qt::Key_Escape, V}, 0, false);
        dataRow("Enter closes the box", KeyList{Qt::Key_Return}, 0, true);
    }
    void keys()
    {
        QFETCH(KeyList, keys);
        QFETCH(int, opened);
        QFETCH(bool, closed);
        FakePlatform fake;
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        for (int key : keys)
            for (bool press : {true, false})
                QTest::simulateEvent(box.windowHandle(), press, key & ~Qt::KeyboardModifierMask,
                                     Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask),
                                     QString(), false);
        QCOMPARE(fake.openedFolders, QStringList(opened, fake.dataDir()));
        QCOMPARE(box.isVisible(), !closed);
        QCOMPARE(box.result(), closed ? QDialog::Accepted : QDialog::Rejected);
        QVERIFY(fake.messages.isEmpty());
    }

    void failingOpenerIsReported()
    {
        FakePlatform fake;
        fake.folderError = QStringLiteral("xdg-open: No such file or directory");
        frmVersion box(fake.platform(), nullptr);
        showActive(box);
        QTest::keyClicks(box.focusWidget(), QStringLiteral("kqv"));
        QCOMPARE(fake.messageTexts(),
                 QStringList{QStringLiteral("キーダウンエラー\r\n") + fake.folderError});
    }
};

QTEST_MAIN(tst_frmVersion)
#include "tst_frmVersion.moc"
