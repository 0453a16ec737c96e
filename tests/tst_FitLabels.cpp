// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/FitLabels.h"

#include <QLabel>
#include <QtTest>

class tst_FitLabels : public QObject
{
    Q_OBJECT

    static bool showsWholeText(const QWidget &box, const QLabel *label)
    {
        return label->fontMetrics().horizontalAdvance(label->text()) <= label->width() &&
               label->x() >= 0 && label->geometry().right() < box.width();
    }

private Q_SLOTS:
    void fit_data()
    {
        QTest::addColumn<QString>("centredText");
        QTest::addColumn<QString>("leftText");
        QTest::addColumn<bool>("boxGrows");
        const QString shortText = QStringLiteral("Mail: a@b.c");
        // Wider than the label, narrow enough to stay centred where it is.
        QString longer = QStringLiteral("URL: ");
        while (QFontMetrics(QApplication::font()).horizontalAdvance(longer) < 176)
            longer += QLatin1Char('x');
        const QString tooLong =
            QStringLiteral("Copyright (C) 2026 Snapsentry developers and contributors");
        QTest::newRow("everything fits") << shortText << shortText << false;
        QTest::newRow("centred text wider than its label") << longer << shortText << false;
        QTest::newRow("centred text wider than the box") << tooLong << shortText << true;
        QTest::newRow("left text wider than the box") << shortText << tooLong << true;
    }

    void fit()
    {
        QFETCH(QString, centredText);
        QFETCH(QString, leftText);
        QFETCH(bool, boxGrows);
        QWidget box;
        box.setFixedSize(226, 160);
        auto *centred = new QLabel(centredText, &box);
        centred->setAlignment(Qt::AlignCenter);
        centred->setGeometry(43, 65, 171, 19);
        auto *left = new QLabel(leftText, &box);
        left->setGeometry(51, 17, 170, 19);
        auto *button = new QWidget(&box);
        button->setGeometry(77, 129, 75, 23);
        const int centre = centred->geometry().center().x() - button->geometry().center().x();
        const QRect leftBefore = left->geometry();

        support::fitLabels(&box, {centred, left});

        QCOMPARE(box.width() > 226, boxGrows);
        QCOMPARE(box.minimumWidth(), box.maximumWidth());
        QVERIFY(showsWholeText(box, centred));
        QVERIFY(showsWholeText(box, left));
        // The box keeps its balance: the button stays in the middle, and a
        // centred label that has room keeps its centre.
        QCOMPARE(button->x(), 77 + (box.width() - 226) / 2);
        if (!boxGrows)
            QVERIFY(qAbs(centred->geometry().center().x() - button->geometry().center().x() -
                         centre) <= 1);
        if (leftText.size() < 20)
            QCOMPARE(left->geometry(), leftBefore.translated((box.width() - 226) / 2, 0));
    }
};

QTEST_MAIN(tst_FitLabels)
#include "tst_FitLabels.moc"
