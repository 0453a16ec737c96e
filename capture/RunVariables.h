// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <QtGlobal>

// The schedule of the armed or running capture run. Times are "hhnn" texts.
struct RunVariables {
    QString StartTime;
    QString EndTime;
    qint16 StepTime = 0;
    QString NextTime;
    QString NowTime;
    qint16 CapCount = 0;
    qint16 EndFlag = 0;
};
