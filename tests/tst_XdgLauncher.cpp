// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real opener, in a sandboxed desktop setup: no association exists there
// unless a test writes one.
#include "platform/XdgLauncher.h"

#include <QStandardPaths>
#include <QtTest>

class tst_XdgLauncher : public QObject
{
    Q_OBJECT

    const QByteArray path = qgetenv("PATH");
    std::unique_ptr<QTemporaryDir> sandbox;

    QString in(const QString &name) const { return sandbox->filePath(name); }

    static void write(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static void requireXdgUtils()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-utils is not installed");
    }

private Q_SLOTS:
    // Each test gets a fresh sandbox; the process keeps it, which is fine for
    // a test program of its own.
    void init()
    {
        sandbox = std::make_unique<QTemporaryDir>();
        QDir(sandbox->path()).mkpath(QStringLiteral("system"));
        // The type database stays reachable; the system's applications do not.
        QFile::link(QStringLiteral("/usr/share/mime"), in(QStringLiteral("system/mime")));
        qputenv("HOME", in(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", in(QStringLiteral("home/data")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", in(QStringLiteral("system")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", in(QStringLiteral("home/config")).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", in(QStringLiteral("system/config")).toLocal8Bit());
        // xdg-open consults associations only when it believes there is a display.
        qputenv("DISPLAY", ":98");
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "XDG_MENU_PREFIX",
                                 "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            qunsetenv(name);
        write(in(QStringLiteral("docs/Readme.txt")), "Snapsentry\n");
    }

    void cleanup()
    {
        qputenv("PATH", path);
        sandbox.reset();
    }

    void missingFileOrFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("result");
        QTest::newRow("file missing") << QStringLiteral("docs/Liesmich.txt") << 2;
        QTest::newRow("folder missing") << QStringLiteral("gone/Readme.txt") << 3;
    }

    void missingFileOrFolder()
    {
        QFETCH(QString, path);
        QFETCH(int, result);
        platform::XdgLauncher launcher;
        QCOMPARE(launcher.openDocument(in(path)), result);
    }

    void typeWithoutApplication()
    {
        requireXdgUtils();
        platform::XdgLauncher launcher;
        QCOMPARE(launcher.openDocument(in(QStringLiteral("docs/Readme.txt"))),
                 platform::XdgLauncher::NoAssociation);
    }

    void associatedTypeIsOpenedWithoutWaiting()
    {
        requireXdgUtils();
        const QString viewer = in(QStringLiteral("viewer.sh"));
        const QString seen = in(QStringLiteral("seen"));
        const QString go = in(QStringLiteral("go"));
        // The viewer holds on until the test lets it go: a launcher that waited
        // for it would hang here instead of returning.
        write(viewer, QStringLiteral("#!/bin/sh\nfor i in $(seq 300); do [ -e '%1' ] && break; "
                                     "sleep 0.1; done\nprintf '%s' \"$1\" > '%2'\n")
                          .arg(go, seen)
                          .toUtf8());
        QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(in(QStringLiteral("home/data/applications/snapsentry-viewer.desktop")),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=Viewer\nExec=%1 %f\n"
                             "MimeType=text/plain;\n")
                  .arg(viewer)
                  .toUtf8());
        write(in(QStringLiteral("home/config/mimeapps.list")),
              "[Default Applications]\ntext/plain=snapsentry-viewer.desktop\n");

        platform::XdgLauncher launcher;
        const QString document = in(QStringLiteral("docs/Readme.txt"));
        QCOMPARE(launcher.openDocument(document), platform::XdgLauncher::Started);
        QVERIFY2(!QFile::exists(seen), "the launcher waited for the viewer");
        write(go, "");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(seen), 15000);
        QTRY_COMPARE(QFile(seen).size(), document.toUtf8().size());
        QFile file(seen);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), document);
    }

    void openerMissing()
    {
        qputenv("PATH", in(QStringLiteral("nothing-here")).toLocal8Bit());
        platform::XdgLauncher launcher;
        QCOMPARE(launcher.openDocument(in(QStringLiteral("docs/Readme.txt"))),
                 platform::XdgLauncher::CannotStart);
        QVERIFY(!launcher.openUrl(QStringLiteral("https://snapsentry.example.org/")).isEmpty());
        QVERIFY(!launcher.openFolder(sandbox->path()).isEmpty());
    }
};

QTEST_MAIN(tst_XdgLauncher)
#include "tst_XdgLauncher.moc"
