// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/MessageBox.h"
#include "platform/desktop/Process.h"

#include <QStringList>
#include <functional>

// Lets the D-Bus service see what the user sees: a box just before it opens
// (its text is the answer a remote caller waits for, and a box waits for the
// user), and the end of the process just before it comes (replies still owed
// go out first).
class TappedMessageBox final : public platform::MessageBox
{
public:
    explicit TappedMessageBox(platform::MessageBox &inner) : inner_(inner) {}
    // False: the box is not to open (its caller has the text for an answer).
    std::function<bool(const QString &, platform::MsgIcon)> beforeShow;

    void show(const QString &text, platform::MsgIcon icon) override
    {
        if (beforeShow && !beforeShow(text, icon))
            return;
        open_ << text;
        inner_.show(text, icon);
        open_.removeOne(text);
    }
    // A box with this text waits for the user.
    bool isOpen(const QString &text) const { return open_.contains(text); }

private:
    platform::MessageBox &inner_;
    QStringList open_;
};

class TappedProcess final : public platform::Process
{
public:
    explicit TappedProcess(platform::Process &inner) : inner_(inner) {}
    std::function<void()> beforeExit;

    void exitNow(int code) override
    {
        if (beforeExit)
            beforeExit();
        inner_.exitNow(code);
    }

private:
    platform::Process &inner_;
};
