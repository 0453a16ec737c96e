// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "capture/RunSettings.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

// Schedule values given from outside the window (command line, D-Bus): each
// one checked as the window's controls would hold it, before anything changes.
// A value the controls can hold but arming refuses (a missing folder, a
// prefix with a path separator) is a good value here; arming refuses it later.
struct ScheduleValues {
    enum class Key { Folder, Prefix, Start, End, Step, EndAction };

    std::optional<QString> folder;
    std::optional<QString> prefix;
    std::optional<QString> startTime; // "hhnn"
    std::optional<QString> endTime;   // "hhnn"
    std::optional<int> step;          // minutes, 1 to 60
    std::optional<capture::EndAction> endAction;

    // Reads text as the value of key. On a value the window cannot hold it
    // changes nothing and returns a one-line message that names the value
    // as name (an option or a property); else an empty text.
    QString take(Key key, const QString &text, const QString &name);

    bool isEmpty() const
    {
        return !folder && !prefix && !startTime && !endTime && !step && !endAction;
    }
    // The settings file's keys and values for what is set, as the window
    // writes them at exit.
    QList<std::pair<QString, QString>> iniEntries() const;
};

// The end action's name outside the window: "none", "message" or "exit".
QString endActionName(capture::EndAction action);
