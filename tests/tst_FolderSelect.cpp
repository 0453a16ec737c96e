// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "WindowHarness.h"

class tst_FolderSelect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answerOfTheDialog_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("after");
        const QString none, old = "/home/user/shots", chosen = "/home/user/画像/保存先";
        QTest::newRow("cancel keeps an empty box") << none << std::optional<QString>() << none;
        QTest::newRow("cancel keeps the folder") << old << std::optional<QString>() << old;
        QTest::newRow("japanese folder") << old << std::optional<QString>(chosen) << chosen;
    }
    void answerOfTheDialog()
    {
        QFETCH(QString, before);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, after);
        WindowHarness h;
        h.set("txtSaveFolder", before);
        h.fake.folderAnswer = answer;
        h.child<QPushButton>("cmdSelectFolder")->click();
        QCOMPARE(h.child<QLineEdit>("txtSaveFolder")->text(), after);
        QCOMPARE(h.fake.folderDialogTitles, QStringList{"フォルダを選択してください"});
    }
};

QTEST_MAIN(tst_FolderSelect)
#include "tst_FolderSelect.moc"
