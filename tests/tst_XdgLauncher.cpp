// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real opener, in a sandboxed desktop setup where no type has an application.
#include "platform/XdgLauncher.h"

#include <QScopeGuard>
#include <QStandardPaths>
#include <QtTest>

class tst_XdgLauncher : public QObject
{
    Q_OBJECT

    QTemporaryDir sandbox;

    QString in(const QString &name) const { return sandbox.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(sandbox.path()).mkpath(QStringLiteral("system")));
        QVERIFY(QDir(sandbox.path()).mkpath(QStringLiteral("docs")));
        // The type database stays reachable; the system's applications do not.
        QFile::link(QStringLiteral("/usr/share/mime"), in(QStringLiteral("system/mime")));
        qputenv("HOME", in(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", in(QStringLiteral("home/data")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", in(QStringLiteral("system")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", in(QStringLiteral("home/config")).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", in(QStringLiteral("system/config")).toLocal8Bit());
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID"})
            qunsetenv(name);
        QFile readme(in(QStringLiteral("docs/Readme.txt")));
        QVERIFY(readme.open(QIODevice::WriteOnly));
        readme.write("Snapsentry\n");
    }

    void openDocument_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("result");
        QTest::newRow("file missing") << QStringLiteral("docs/Liesmich.txt") << 2;
        QTest::newRow("folder missing") << QStringLiteral("gone/Readme.txt") << 3;
        QTest::newRow("no application for the type") << QStringLiteral("docs/Readme.txt") << 31;
    }

    void openDocument()
    {
        QFETCH(QString, path);
        QFETCH(int, result);
        if (result == 31 && QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-utils is not installed");
        QCOMPARE(platform::XdgLauncher().openDocument(in(path)), result);
    }

    void openerMissing()
    {
        const QByteArray path = qgetenv("PATH");
        const auto restore = qScopeGuard([&] { qputenv("PATH", path); });
        qputenv("PATH", in(QStringLiteral("nothing-here")).toLocal8Bit());
        platform::XdgLauncher launcher;
        QCOMPARE(launcher.openDocument(in(QStringLiteral("docs/Readme.txt"))),
                 platform::XdgLauncher::CannotStart);
        QVERIFY(!launcher.openUrl(QStringLiteral("https://snapsentry.example.org/")).isEmpty());
    }
};

QTEST_MAIN(tst_XdgLauncher)
#include "tst_XdgLauncher.moc"
