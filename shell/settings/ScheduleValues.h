// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "capture/RunSettings.h"

#include <QList>
#include <QMap>
#include <QString>
#include <optional>
#include <utility>

// Schedule values given from outside the window (command line, D-Bus): each
// one checked as the window's controls would hold it, before anything changes.
// A value the controls can hold but arming refuses (a missing folder, a
// prefix with a path separator) is a good value here; arming refuses it later.
class ScheduleValues
{
public:
    // In the order the window saves its settings.
    enum class Key { Start, End, Step, Folder, Prefix, EndAction };

    // Reads text as the value of key. On a value the window cannot hold it
    // changes nothing and returns a one-line message that names the value
    // as name (an option or a property); else an empty text.
    QString take(Key key, const QString &text, const QString &name);

    // A value taken, as the outside writes it: times "hhnn", the step in
    // minutes ("5"), the end action's name.
    std::optional<QString> value(Key key) const;
    bool isEmpty() const { return values_.isEmpty(); }
    // The settings file's keys and values for what is set, as the window
    // writes them at exit.
    QList<std::pair<QString, QString>> iniEntries() const;

private:
    QMap<Key, QString> values_;
};

// The end action's name outside the window: "none", "message" or "exit".
QString endActionName(capture::EndAction action);
