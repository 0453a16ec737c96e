// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Table.h"
#include "TmpfsMount.h"
#include "platform/files/AppLayout.h"

#include <optional>

class tst_AppLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Paths are relative to a fresh root; HOME is root/home.
    void settingsAndReadmeFollowTheLayout_data()
    {
        // configHome: XDG_CONFIG_HOME
        columns<QString, QString, QString, QString>("appDir", "configHome", "dataDir", "readme");
        const char *installedReadme = "usr/share/doc/snapsentry/Readme.txt";
        dataRow("portable folder keeps everything", "app", "cfg", "app", "app/Readme.txt");
        dataRow("read-only portable folder", "ro", "cfg", "cfg/snapsentry", "ro/Readme.txt");
        dataRow("installed tree", "usr/bin", "cfg", "cfg/snapsentry", installedReadme);
        dataRow("installed, relative XDG_CONFIG_HOME ignored", "usr/bin", "relative",
                "home/.config/snapsentry", installedReadme);
    }

    void settingsAndReadmeFollowTheLayout()
    {
        const auto [appDir, configHome, dataDir, readme] =
            fetch<QString, QString, QString, QString>("appDir", "configHome", "dataDir", "readme");
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
