// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QString>

namespace arming
{

// Where the user corrects a refused setting.
enum class FixAt { Nothing, SaveFolder, Prefix };

// The answer of the checks that come before arming: empty when the run may be
// armed, otherwise the warning to show and the control to move the focus to.
struct Verdict {
    QString warning;
    FixAt fixAt = FixAt::Nothing;

    bool accepted() const { return warning.isEmpty(); }
};

// The save folder's and the prefix's checks, in that order; the first refusal wins.
Verdict checkBeforeArming(const Platform &p, const QString &saveFolder, const QString &prefix);

} // namespace arming
