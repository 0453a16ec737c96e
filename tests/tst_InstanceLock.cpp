// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::InstanceLock;

class tst_InstanceLock : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString exe, otherExe;

    QString makeFolder(const QString &name, QFile::Permissions mode)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        QFile::setPermissions(path, mode);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *copy : {"a", "b"}) {
            QFile f(makeFolder(QLatin1String(copy),
                               QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) +
                    QStringLiteral("/Snapsentry"));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        exe = dir.filePath(QStringLiteral("a/Snapsentry"));
        otherExe = dir.filePath(QStringLiteral("b/Snapsentry"));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    }

    void oneCopyPerExecutable_data()
    {
        QTest::addColumn<QString>("runtime"); // XDG_RUNTIME_DIR: "private", "shared" or unset
        QTest::addColumn<bool>("squatted");
        QTest::newRow("runtime folder") << QStringLiteral("private") << false;
        QTest::newRow("no runtime folder") << QString() << false;
        QTest::newRow("names squatted by a stranger") << QStringLiteral("shared") << true;
    }
    void oneCopyPerExecutable()
    {
        QFETCH(QString, runtime);
        QFETCH(bool, squatted);
        const QString folder =
            makeFolder(runtime + QStringLiteral("-run"),
                       runtime == QStringLiteral("shared")
                           ? QFile::Permissions(0x7777)
                           : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (runtime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));

        // Someone else predicts every name he can and takes it first: an abstract
        // socket named after the user and the executable, and the lock file in a
        // folder he can write to.
        QLocalServer socket;
        QList<int> held;
        if (squatted) {
            const QByteArray hash =
                QCryptographicHash::hash(QFileInfo(exe).canonicalFilePath().toUtf8(),
                                         QCryptographicHash::Sha1)
                    .toHex()
                    .left(16);
            socket.setSocketOptions(QLocalServer::AbstractNamespaceOption);
            QVERIFY(socket.listen(QStringLiteral("snapsentry-%1-%2").arg(::getuid()).arg(hash)));
            const QString name = QStringLiteral("/snapsentry-%1.lock").arg(hash);
            held << ::open(QFile::encodeName(folder + name), O_RDWR | O_CREAT, 0666);
            QVERIFY(held[0] >= 0 && ::flock(held[0], LOCK_EX) == 0);
        }

        auto first = std::make_unique<InstanceLock>(exe);
        QVERIFY(first->acquire());
        QVERIFY(!InstanceLock(exe).acquire());     // a second copy is refused
        QVERIFY(InstanceLock(otherExe).acquire()); // a copy in another folder runs
        first.reset();
        QVERIFY(InstanceLock(exe).acquire()); // and the lock goes with its holder
        for (int fd : held)
            ::close(fd);
    }

    void fiftySimultaneousStartsLeaveOne()
    {
        const QString folder = makeFolder(QStringLiteral("race"),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
        int start[2], done[2], results[2];
        QVERIFY(::pipe(start) == 0 && ::pipe(done) == 0 && ::pipe(results) == 0);
        QList<pid_t> children;
        for (int i = 0; i < 50; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                char c;
                ::close(start[1]);
                ::close(done[1]);
                (void)!::read(start[0], &c, 1); // all go at once when the parent closes it
                InstanceLock lock(exe);
                const char won = lock.acquire() ? '1' : '0';
                (void)!::write(results[1], &won, 1);
                (void)!::read(done[0], &c, 1); // held until every copy has tried
                ::_exit(0);
            }
            children << pid;
        }
        ::close(start[0]);
        ::close(done[0]);
        ::close(results[1]);
        ::close(start[1]);
        QByteArray outcome;
        char c;
        while (outcome.size() < 50 && ::read(results[0], &c, 1) == 1)
            outcome += c;
        ::close(done[1]);
        ::close(results[0]);
        for (pid_t pid : children)
            ::waitpid(pid, nullptr, 0);
        QCOMPARE(outcome.count('1'), 1);
        QCOMPARE(outcome.size(), 50);
    }
};

QTEST_GUILESS_MAIN(tst_InstanceLock)
#include "tst_InstanceLock.moc"
