// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "Table.h"
#include "arming/PathCheck.h"

#include <cerrno>
#include <cstring>

class tst_PathCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir tree_;

    void row(const char *name, const QString &relative, qint16 flag, bool found,
             const QString &report = {})
    {
        const QString path = relative.isEmpty() ? QString() : tree_.filePath(relative);
        QTest::newRow(name) << path << flag << found << report;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QDir root(tree_.path());
        QVERIFY(root.mkdir("shots"));
        QVERIFY(QFile(root.filePath("plain.txt")).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(root.filePath("loop"), root.filePath("loop")));
    }

    void answers_data()
    {
        // report empty: no message, no log
        columns<QString, qint16, bool, QString>("path", "flag", "found", "report");
        row("folder", "shots", 1, true);
        row("folder/", "shots/", 1, true);
        row("missing", "nowhere", 1, false);
        row("plain file, flag 1", "plain.txt", 1, true);
        row("plain file, flag 0", "plain.txt", 0, true);
        row("folder, flag 0", "shots", 0, false);
        row("empty path", "", 1, false);
        row("name too long", QString(300, 'n'), 1, false);
        row("symlink loop is reported", "loop", 1, false, QString::fromLocal8Bit(strerror(ELOOP)));
    }

    void answers()
    {
        const auto [path, flag, found, report] =
            fetch<QString, qint16, bool, QString>("path", "flag", "found", "report");
        FakePlatform fake;
        QCOMPARE(mdlCommon::Sub_PathCheck(fake.platform(), path, flag), found);
        QCOMPARE(fake.messageTexts().join(""),
                 report.isEmpty() ? "" : "存在チェックエラー\r\n" + report);
        QCOMPARE(fake.logEntries(), report.isEmpty()
                                        ? QStringList()
                                        : QStringList{"[mdlCommon]-[Sub_PathCheck] " + report});
    }
};

QTEST_MAIN(tst_PathCheck)
#include "tst_PathCheck.moc"
