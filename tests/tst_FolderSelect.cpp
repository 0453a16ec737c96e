// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "shell/frmMain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_FolderSelect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answerOfTheDialog_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("after");
        const QString old = QStringLiteral("/home/user/shots");
        QTest::newRow("cancel keeps an empty box")
            << QString() << std::optional<QString>() << QString();
        QTest::newRow("cancel keeps the folder") << old << std::optional<QString>() << old;
        QTest::newRow("japanese folder")
            << old << std::optional<QString>(QStringLiteral("/home/user/画像/保存先"))
            << QStringLiteral("/home/user/画像/保存先");
        QTest::newRow("root") << QString() << std::optional<QString>(QStringLiteral("/"))
                              << QStringLiteral("/");
    }

    void answerOfTheDialog()
    {
        QFETCH(QString, before);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, after);
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        auto *box = w.findChild<QLineEdit *>(QStringLiteral("txtSaveFolder"));
        box->setText(before);
        fake.folderAnswer = answer;

        w.findChild<QPushButton *>(QStringLiteral("cmdSelectFolder"))->click();
        QCOMPARE(box->text(), after);
        QCOMPARE(fake.folderDialogTitles,
                 QStringList{QStringLiteral("フォルダを選択してください")});
        QCOMPARE(fake.messageTexts(), QStringList());
    }
};

QTEST_MAIN(tst_FolderSelect)
#include "tst_FolderSelect.moc"
