// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "shell/settings/ScheduleValues.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>
#include <optional>

// What the command line asks for. Without options the program starts as it
// always has; the options that act on a running copy reach it over D-Bus.
struct CommandLine {
    // Exit statuses, stable for scripts.
    enum Status { Done = 0, Refused = 1, BadUsage = 2, NotRunning = 3, NoAnswer = 4 };

    bool arm = false;
    bool disarm = false;
    bool status = false;
    bool quit = false;
    bool tray = false;
    std::optional<bool> autostart;
    // --folder, --prefix, --start, --end, --step, --end-action: checked, the
    // folder made absolute against the working folder.
    ScheduleValues schedule;
    bool help = false;
    bool version = false;
    // Set when the arguments cannot be used: the one-line message for standard error.
    QString error;

    // arguments[0] is the program. An argument that was not valid text where
    // it came from ends in a NUL, which no argument can hold otherwise.
    static CommandLine parse(const QStringList &arguments);
    static QString helpText();

    // An option that a running copy carries out.
    bool forRunningCopy() const
    {
        return arm || disarm || status || quit || tray || !schedule.isEmpty();
    }
    // An option that starts the program when no copy runs.
    bool startsProgram() const { return arm || tray; }
};

// The --status lines, "key=value" one a line, from the D-Bus properties.
// A line break in a value is written \n and a backslash \\, so that every
// value stays on its line.
QString statusLines(const QVariantMap &properties);

// Writes text to standard output or error in the locale's encoding.
void printText(std::FILE *stream, const QString &text);
