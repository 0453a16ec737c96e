// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "arming/PathCheck.h"

#include <QDir>
#include <QtTest>
#include <cerrno>
#include <cstring>

class tst_PathCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir tree_;

    QString at(const QString &relative) const
    {
        return relative.isEmpty() ? QString() : tree_.path() + QLatin1Char('/') + relative;
    }

    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QDir root(tree_.path());
        for (const char *folder : {"shots", "empty", ".dot", "a*b", "写真", "shots/inner"})
            QVERIFY(root.mkpath(QString::fromUtf8(folder)));
        touch(at(QStringLiteral("shots/one.jpg")));
        touch(at(QStringLiteral("plain.txt")));
        QVERIFY(QFile::link(at(QStringLiteral("shots")), at(QStringLiteral("link"))));
    }

    void answers_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint16>("flag");
        QTest::addColumn<bool>("found");
        const QString tooLongName(300, QLatin1Char('n'));
        QString tooLongPath;
        while (tooLongPath.size() < 5000)
            tooLongPath += QStringLiteral("/shots");

        QTest::newRow("folder") << at(QStringLiteral("shots")) << qint16(1) << true;
        QTest::newRow("folder with trailing slash")
            << at(QStringLiteral("shots/")) << qint16(1) << true;
        QTest::newRow("empty folder with trailing slash")
            << at(QStringLiteral("empty/")) << qint16(1) << true;
        QTest::newRow("japanese folder") << at(QStringLiteral("写真")) << qint16(1) << true;
        QTest::newRow("dot folder") << at(QStringLiteral(".dot")) << qint16(1) << true;
        QTest::newRow("link to a folder") << at(QStringLiteral("link")) << qint16(1) << true;
        QTest::newRow("missing") << at(QStringLiteral("nowhere")) << qint16(1) << false;
        QTest::newRow("inside a missing folder")
            << at(QStringLiteral("nowhere/x")) << qint16(1) << false;
        QTest::newRow("plain file, flag 1") << at(QStringLiteral("plain.txt")) << qint16(1) << true;
        QTest::newRow("plain file, flag 0") << at(QStringLiteral("plain.txt")) << qint16(0) << true;
        QTest::newRow("plain file with trailing slash")
            << at(QStringLiteral("plain.txt/")) << qint16(1) << false;
        QTest::newRow("folder, flag 0") << at(QStringLiteral("shots")) << qint16(0) << false;
        QTest::newRow("negative flag counts folders")
            << at(QStringLiteral("shots")) << qint16(-1) << true;
        QTest::newRow("star is no pattern") << at(QStringLiteral("sho*")) << qint16(1) << false;
        QTest::newRow("question mark is no pattern")
            << at(QStringLiteral("shot?")) << qint16(1) << false;
        QTest::newRow("star in a real name") << at(QStringLiteral("a*b")) << qint16(1) << true;
        QTest::newRow("empty path") << QString() << qint16(1) << false;
        QTest::newRow("name too long") << at(tooLongName) << qint16(1) << false;
        QTest::newRow("path too long") << tree_.path() + tooLongPath << qint16(1) << false;
        QTest::newRow("NUL inside")
            << at(QStringLiteral("shots")) + QChar(0) + QStringLiteral("x") << qint16(1) << false;
    }

    void answers()
    {
        QFETCH(QString, path);
        QFETCH(qint16, flag);
        QFETCH(bool, found);
        FakePlatform fake;
        const QString before = path;
        QCOMPARE(mdlCommon::Sub_PathCheck(fake.platform(), path, flag), found);
        QCOMPARE(path, before);
        QCOMPARE(fake.messageTexts(), QStringList());
        QVERIFY(!QFile::exists(fake.appFile(QStringLiteral("Err.log"))));
    }

    void unexpectedFailureIsReportedAndLogged()
    {
        const QString loop = at(QStringLiteral("loop"));
        QVERIFY(QFile::link(loop, loop));
        FakePlatform fake;
        const QString description = QString::fromLocal8Bit(std::strerror(ELOOP));

        QVERIFY(!mdlCommon::Sub_PathCheck(fake.platform(), loop, 1));
        QCOMPARE(fake.messageTexts(),
                 QStringList{QStringLiteral("存在チェックエラー\r\n") + description});
        QCOMPARE(fake.messages.first().icon, platform::MsgIcon::Critical);
        QFile log(fake.appFile(QStringLiteral("Err.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains(("[mdlCommon]-[Sub_PathCheck] " + description).toUtf8()));
    }
};

QTEST_MAIN(tst_PathCheck)
#include "tst_PathCheck.moc"
