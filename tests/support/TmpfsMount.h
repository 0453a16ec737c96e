// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

// A tmpfs mounted over a folder for the life of the object: the read-only and
// full-disk cases, which a root-run CI cannot make with chmod. ok() is false
// where mounting is not allowed; tests then skip.
class TmpfsMount
{
public:
    TmpfsMount(const QString &dir, const QString &options);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool ok() const { return ok_; }
    // Writes a file until the file system is full.
    void fill() const;

private:
    QString dir_;
    bool ok_ = false;
};
