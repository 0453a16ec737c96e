// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

// The screen-cast portal's restore token: it lets a later session share the
// same monitors without asking the user again. Kept in a small file of its
// own, readable by the user alone; removing the file withdraws it.
class RestoreToken
{
public:
    explicit RestoreToken(QString path) : path_(std::move(path)) {}
    // The stored token, or "" when there is none or the file is damaged or
    // not one of ours (then the desktop asks again and a new token replaces it).
    QString load() const;
    // Stores token atomically; "" removes the file.
    void store(const QString &token) const;

private:
    QString path_;
};

} // namespace platform
