// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QString>
#include <exception>
#include <new>

namespace support
{

// Thrown by a step of a guarded procedure; the description is shown and logged unchanged.
struct ProcError {
    QString description;
};

// The standard error handler: a critical box "title CR LF description", then one
// log entry "where" + description (where is e.g. "[frmMain]-[Sub_Set] ").
void reportError(const Platform &p, const QString &title, const QString &where,
                 const QString &description);

// Runs body; any failure in it skips the rest and goes to the standard handler.
// Returns true when body completed.
template <class Body>
bool guarded(const Platform &p, const QString &title, const QString &where, Body &&body)
{
    try {
        body();
        return true;
    } catch (const ProcError &e) {
        reportError(p, title, where, e.description);
    } catch (const std::bad_alloc &) {
        reportError(p, title, where, QStringLiteral("メモリ不足です"));
    } catch (const std::exception &e) {
        reportError(p, title, where, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace support
