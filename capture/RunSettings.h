// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <QtGlobal>

namespace capture
{

// What the end of a run does, in the order of the window's options.
enum class EndAction { Nothing = 0, ShowMessage = 1, CloseProgram = 2 };

// What a run is armed with. The settings controls are locked while armed, so
// this copy and the controls agree for the whole run.
struct RunSettings {
    QString startTime; // "hhnn"
    QString endTime;   // "hhnn"
    qint16 step = 1;   // minutes
    QString saveFolder;
    QString prefix;
    EndAction endAction = EndAction::Nothing;
};

} // namespace capture
