// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "TmpfsMount.h"
#include "platform/AppLayout.h"

#include <QtTest>
#include <optional>

class tst_AppLayout : public QObject
{
    Q_OBJECT

    static void row(const char *name, const QString &appDir, const QString &configHome,
                    const QString &dataDir, const QString &readme)
    {
        QTest::newRow(name) << appDir << configHome << dataDir << readme;
    }

private Q_SLOTS:
    // Paths are relative to a fresh root; HOME is root/home.
    void settingsAndReadmeFollowTheLayout_data()
    {
        QTest::addColumn<QString>("appDir");
        QTest::addColumn<QString>("configHome"); // XDG_CONFIG_HOME
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<QString>("readme");
        const QString installedReadme = "usr/share/doc/snapsentry/Readme.txt";
        row("portable folder keeps everything", "app", "cfg", "app", "app/Readme.txt");
        row("read-only portable folder", "ro", "cfg", "cfg/snapsentry", "ro/Readme.txt");
        row("installed tree", "usr/bin", "cfg", "cfg/snapsentry", installedReadme);
        row("installed, relative XDG_CONFIG_HOME ignored", "usr/bin", "relative",
            "home/.config/snapsentry", installedReadme);
    }

    void settingsAndReadmeFollowTheLayout()
    {
        QFETCH(QString, appDir);
        QFETCH(QString, configHome);
        QFETCH(QString, dataDir);
        QFETCH(QString, readme);
        QTemporaryDir root;
        const QString r = root.path() + QLatin1Char('/');
        QVERIFY(QDir(r).mkpath(appDir) && QDir(r).mkpath("usr/lib/snapsentry"));
        std::optional<TmpfsMount> mount;
        if (appDir == "ro") {
            mount.emplace(r + appDir, QStringLiteral("ro,size=64k"));
            if (!mount->ok())
                QSKIP("mounting a read-only tmpfs is not allowed here");
        }
        qputenv("HOME", QFile::encodeName(r + "home"));
        qputenv("XDG_CONFIG_HOME",
                QFile::encodeName(configHome == "relative" ? configHome : r + configHome));

        QCOMPARE(platform::dataDir(r + appDir), r + dataDir);
        QCOMPARE(platform::readmePath(r + appDir), r + readme);
        if (dataDir == appDir) {
            QVERIFY(!QFileInfo::exists(r + configHome));
            return;
        }
        // Made for this user alone: no group or other bits.
        QVERIFY(QFileInfo(r + dataDir).isDir());
        QCOMPARE(int(QFile::permissions(r + dataDir)) & 0x77, 0);
    }
};

QTEST_MAIN(tst_AppLayout)
#include "tst_AppLayout.moc"
