// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/files/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/random.h>
#include <unistd.h>

namespace platform
{

namespace
{

// A name nobody can guess and occupy in advance in a shared folder.
std::string randomName()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[12];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n > 0)
            got += std::size_t(n);
        else if (errno != EINTR)
            return {};
    }
    std::string name = ".snapsentry-";
    for (unsigned char b : bytes)
        name += letters[b % (sizeof letters - 1)];
    return name + ".tmp";
}

// Opens a new, randomly named file beside path. O_EXCL with mode 0666 keeps the
// user's umask, which mkstemp's fixed 0600 would not.
int createTemporary(const char *path, std::string *tempPath, unsigned mode)
{
    const char *slash = std::strrchr(path, '/');
    const std::string folder = slash ? std::string(path, std::size_t(slash - path) + 1) : "";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = randomName();
        if (name.empty())
            return -1;
        *tempPath = folder + name;
        const int fd = open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

int writeAll(int fd, const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const unsigned char *>(data);
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        bytes += n;
        size -= std::size_t(n);
    }
    return 0;
}

int writeFileAtomically(const char *path, const void *data, std::size_t size, bool sync,
                        unsigned mode)
{
    std::string temp;
    const int fd = createTemporary(path, &temp, mode);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, data, size);
    if (error == 0 && sync && fsync(fd) != 0)
        error = errno;
    // close() can report a delayed write error (network file systems).
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temp.c_str(), path) != 0)
        error = errno;
    if (error != 0)
        unlink(temp.c_str());
    return error;
}

} // namespace platform
