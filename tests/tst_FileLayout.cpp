// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// Where the program keeps its files, and the lock that lets one copy run.
#include "Table.h"
#include "TmpfsMount.h"
#include "platform/files/AppLayout.h"
#include "platform/files/InstanceLock.h"

#include <QTemporaryDir>
#include <optional>

using platform::InstanceLock;

class tst_FileLayout : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString exe, otherExe;

    // A folder that is the user's alone, or one that everybody may write to.
    QString makeFolder(const QString &name, bool shared = false)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        QFile::setPermissions(path,
                              QFile::Permissions(shared ? 0x7777 : 0x7000)); // all, or owner only
        return path;
    }

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

    void initTestCase()
    {
        exe = makeFolder(QStringLiteral("a")) + QStringLiteral("/Snapsentry");
        otherExe = makeFolder(QStringLiteral("b")) + QStringLiteral("/Snapsentry");
        QVERIFY(QFile(exe).open(QIODevice::WriteOnly) &&
                QFile(otherExe).open(QIODevice::WriteOnly));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    }

    void oneCopyPerExecutable_data()
    {
        columns<QString>("runtime"); // what XDG_RUNTIME_DIR names
        dataRow("the user's runtime folder", "private");
        dataRow("no runtime folder", "");
        dataRow("a shared folder", "shared");
    }
    void oneCopyPerExecutable()
    {
        const auto [runtime] = fetch<QString>("runtime");
        const QString folder = makeFolder(runtime + QStringLiteral("-run"), runtime == "shared");
        if (runtime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));

        auto first = std::make_unique<InstanceLock>(exe);
        QVERIFY(first->acquire());
        QVERIFY(!InstanceLock(exe).acquire());     // a second copy is refused
        QVERIFY(InstanceLock(otherExe).acquire()); // a copy in another folder runs
        first.reset();
        QVERIFY(InstanceLock(exe).acquire()); // the lock goes with its holder
        // Never a lock file where another user could take its name first.
        QCOMPARE(QDir(folder).isEmpty(), runtime != "private");
        // The fall-back folders it makes are the user's alone.
        for (const char *made : {"cache", "cache/snapsentry"})
            QCOMPARE(int(QFileInfo(dir.filePath(made)).permissions() & 0x0077), 0);
    }

    // A link planted under the lock's name is not followed, and stops no copy.
    void plantedLinkIsNotFollowed()
    {
        const QString folder = makeFolder(QStringLiteral("planted-run"), false);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
        InstanceLock(exe).acquire();
        const QString lock = QDir(folder).entryInfoList(QDir::Files).value(0).filePath();
        QVERIFY(QFile::remove(lock) && QFile::link(dir.filePath("target"), lock));
        QVERIFY(InstanceLock(exe).acquire() && InstanceLock(exe).acquire());
        QVERIFY(!QFile::exists(dir.filePath("target")));
    }

    // With no folder of the user's own to lock in, every copy starts rather than none.
    void withoutPrivateFolderEveryCopyRuns()
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(exe + "/cache")); // under a file: no folder
        InstanceLock first(exe);
        QVERIFY(first.acquire() && InstanceLock(exe).acquire());
    }
};

QTEST_GUILESS_MAIN(tst_FileLayout)
#include "tst_FileLayout.moc"
