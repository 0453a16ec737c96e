// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "JpegFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <time.h>
#include <unistd.h>

namespace savejpg
{

namespace
{

std::atomic<unsigned> counter{0};

// Opens a new, uniquely named file beside path. O_EXCL with mode 0666 keeps the
// user's umask, which mkstemp's fixed 0600 would not.
int createTemporary(const char *path, std::string *tempPath)
{
    const char *slash = std::strrchr(path, '/');
    const std::string folder = slash ? std::string(path, std::size_t(slash - path) + 1) : "";
    for (int attempt = 0; attempt < 100; ++attempt) {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        char name[64];
        std::snprintf(name, sizeof name, ".savejpg-%d-%u-%lx.tmp", int(getpid()), counter++,
                      static_cast<unsigned long>(ts.tv_nsec));
        *tempPath = folder + name;
        int fd = open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const char *path, const unsigned char *data, std::size_t size)
{
    std::string temp;
    const int fd = createTemporary(path, &temp);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, data, size);
    // close() can report a delayed write error (network file systems).
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path) == 0;
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

} // namespace savejpg
