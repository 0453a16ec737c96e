// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real opener; on the PATH only stand-ins: xdg-mime answers a query for the
// plain-text default with the application in STUB_APP (or fails), xdg-open notes its argument.
#include "Table.h"
#include "platform/desktop/XdgLauncher.h"

using platform::XdgLauncher;

class tst_XdgLauncher : public QObject
{
    Q_OBJECT

    QTemporaryDir sandbox;

    QString in(const QString &name) const { return sandbox.filePath(name); }
    QString opened() const
    {
        QFile f(in("opened"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile f(in(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(sandbox.path()).mkpath("bin") && QDir(sandbox.path()).mkpath("docs"));
        put("docs/Readme.txt", "Snapsentry\n");
        put("bin/xdg-mime",
            "#!/bin/sh\n[ \"$*\" = 'query default text/plain' ] && [ \"$STUB_APP\" != fail ] "
            "|| exit 4\necho \"$STUB_APP\"\n");
        put("bin/xdg-open", "#!/bin/sh\necho \"$1\" >" + QFile::encodeName(in("opened")) + "\n");
        qputenv("PATH", QFile::encodeName(in("bin")));
    }

    void openDocument_data()
    {
        columns<QString, QString, int>("path", "app", "result"); // app: what xdg-mime answers
        const char *viewer = "viewer.desktop";
        dataRow("opened", "docs/Readme.txt", viewer, XdgLauncher::Started);
        dataRow("file missing", "docs/Liesmich.txt", viewer, XdgLauncher::FileNotFound);
        dataRow("folder missing", "gone/Readme.txt", viewer, XdgLauncher::PathNotFound);
        dataRow("no application for the type", "docs/Readme.txt", "", XdgLauncher::NoAssociation);
        dataRow("xdg-mime fails: left to xdg-open", "docs/Readme.txt", "fail",
                XdgLauncher::Started);
    }
    void openDocument()
    {
        const auto [path, app, result] = fetch<QString, QString, int>("path", "app", "result");
        QFile::remove(in("opened"));
        qputenv("STUB_APP", app.toUtf8());
        QCOMPARE(XdgLauncher().openDocument(in(path)), result);
        if (result == XdgLauncher::Started)
            QTRY_COMPARE(opened(), in(path));
    }

    void openUrl()
    {
        QCOMPARE(XdgLauncher().openUrl("https://snapsentry.example.org/"), QString());
        QTRY_COMPARE(opened(), QStringLiteral("https://snapsentry.example.org/"));
    }

    void openerMissing()
    {
        QVERIFY(QFile::remove(in("bin/xdg-open")));
        qputenv("STUB_APP", "viewer.desktop");
        QCOMPARE(XdgLauncher().openDocument(in("docs/Readme.txt")), XdgLauncher::CannotStart);
        QCOMPARE(XdgLauncher().openFolder(in("docs")),
                 QStringLiteral("xdg-open: No such file or directory"));
    }
};

QTEST_GUILESS_MAIN(tst_XdgLauncher)
#include "tst_XdgLauncher.moc"
