// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real file operations when a system call fails in a way no healthy disk
// shows: this program defines the calls itself, fails the next one that is
// armed and passes every other call on to the C library.
#include "Table.h"
#include "platform/files/PosixFileSystem.h"

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
        // call: the one to fail; left: the file afterwards ("-": none)
        columns<QByteArray, QByteArray, int, int, QByteArray>("op", "call", "error", "expected",
                                                              "left");
        using B = QByteArray;
        const B old("old text");
        dataRow("create", B("create"), B(), 0, 0, B("new text"));
        dataRow("create: close fails", B("create"), B("close"), EIO, EIO, B("-"));
        dataRow("create: disk full", B("create"), B("write"), ENOSPC, ENOSPC, B("-"));
        dataRow("write at: close fails", B("writeAt"), B("close"), EIO, EIO, B("old new!"));
        dataRow("read: interrupted", B("read"), B("read"), EINTR, 0, old);
        dataRow("read: fails", B("read"), B("read"), EIO, EIO, old);
        dataRow("replace: no random source", B("replace"), B("getrandom"), ENOSYS, ENOSYS, old);
        dataRow("replace: close fails", B("replace"), B("close"), EIO, EIO, old);
        dataRow("replace: write refused", B("replace"), B("write"), EPERM, EPERM, old);
    }
    void reportedAndCleanedUp()
    {
        const auto [op, call, error, expected, left] =
            fetch<QByteArray, QByteArray, int, int, QByteArray>("op", "call", "error", "expected",
                                                                "left");
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
