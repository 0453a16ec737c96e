// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QString>
#include <functional>

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

// Where the desktop asks the user before the first grab, one trial grab, made
// while the window has the focus so that the question can appear. done gets the
// verdict on the GUI thread; only a refusal refuses (other failures show at the
// shots). The trial picture is removed.
void trialGrab(const Platform &p, std::function<void(const Verdict &)> done);

} // namespace arming
