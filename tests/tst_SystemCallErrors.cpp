// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real file operations when a system call fails in a way no healthy disk
// shows: this program defines the calls itself, fails the next one that is
// armed and passes every other call on to the C library.
#include "platform/PosixFileSystem.h"

#include <QtTest>
#include <dlfcn.h>
#include <sys/random.h>
#include <unistd.h>

namespace
{
QByteArray armed; // the call to fail next
int armedError = 0;

template <typename Fn> Fn next(const char *name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

bool failNow(const char *call)
{
    if (armed != call)
        return false;
    armed.clear();
    return true;
}
} // namespace

extern "C" {
int close(int fd)
{
    const int rc = next<int (*)(int)>("close")(fd);
    return failNow("close") ? (errno = armedError, -1) : rc;
}
ssize_t read(int fd, void *buffer, size_t size)
{
    if (failNow("read"))
        return errno = armedError, -1;
    return next<ssize_t (*)(int, void *, size_t)>("read")(fd, buffer, size);
}
ssize_t write(int fd, const void *buffer, size_t size)
{
    if (failNow("write"))
        return errno = armedError, -1;
    return next<ssize_t (*)(int, const void *, size_t)>("write")(fd, buffer, size);
}
ssize_t getrandom(void *buffer, size_t size, unsigned flags)
{
    if (failNow("getrandom"))
        return errno = armedError, -1;
    return next<ssize_t (*)(void *, size_t, unsigned)>("getrandom")(buffer, size, flags);
}
}

class tst_SystemCallErrors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportedAndCleanedUp_data()
    {
        QTest::addColumn<QByteArray>("op");
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QByteArray>("left"); // the file afterwards ("-": none)
        const QByteArray old("old text");
        QTest::newRow("create") << QByteArray("create") << QByteArray() << 0 << 0
                                << QByteArray("new text");
        QTest::newRow("create: close fails")
            << QByteArray("create") << QByteArray("close") << EIO << EIO << QByteArray("-");
        QTest::newRow("create: disk full")
            << QByteArray("create") << QByteArray("write") << ENOSPC << ENOSPC << QByteArray("-");
        QTest::newRow("write at: close fails")
            << QByteArray("writeAt") << QByteArray("close") << EIO << EIO << QByteArray("old new!");
        QTest::newRow("read: interrupted")
            << QByteArray("read") << QByteArray("read") << EINTR << 0 << old;
        QTest::newRow("read: fails")
            << QByteArray("read") << QByteArray("read") << EIO << EIO << old;
        QTest::newRow("replace: no random source")
            << QByteArray("replace") << QByteArray("getrandom") << ENOSYS << ENOSYS << old;
        QTest::newRow("replace: close fails")
            << QByteArray("replace") << QByteArray("close") << EIO << EIO << old;
    }
    void reportedAndCleanedUp()
    {
        QFETCH(QByteArray, op);
        QFETCH(QByteArray, call);
        QFETCH(int, error);
        QFETCH(int, expected);
        QFETCH(QByteArray, left);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        if (op != "create") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old text") == 8);
        }
        platform::PosixFileSystem fs;
        QByteArray bytes;
        armed = call;
        armedError = error;
        platform::FsResult result;
        if (op == "create")
            result = fs.createNew(path, "new text");
        else if (op == "writeAt")
            result = fs.writeAt(path, 4, "new!", nullptr);
        else if (op == "read")
            result = fs.read(path, 100, &bytes);
        else
            result = fs.replaceAtomically(path, "new text");
        QCOMPARE(armed, QByteArray()); // the call was made
        QCOMPARE(result.error, expected);
        if (op == "read")
            QCOMPARE(bytes, expected == 0 ? left : QByteArray());
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("-"), left);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), left != "-");
    }
};

QTEST_MAIN(tst_SystemCallErrors)
#include "tst_SystemCallErrors.moc"
