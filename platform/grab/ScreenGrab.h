// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <functional>

namespace platform
{

// Photographs the whole screen (every monitor, on their bounding box, black
// outside them) and stores it as a bottom-up 24-bit BMP. A grab can take from
// milliseconds to many seconds (a desktop portal may ask the user), so it never
// runs on the caller's stack.
class ScreenGrab
{
public:
    // Receives an empty string on success, otherwise a description of the failure.
    using Done = std::function<void(const QString &error)>;

    virtual ~ScreenGrab() = default;
    // Starts a grab and returns at once. done runs exactly once, later, on the GUI
    // thread. A failure never leaves a file at bmpPath. The caller starts no second
    // grab before done has run.
    virtual void grabToBmp(const QString &bmpPath, Done done) = 0;
    // True where the desktop may ask the user before the first grab (the desktop
    // portal): arming then makes one trial grab while the window has the focus.
    virtual bool asksPermission() const { return false; }
};

// Every done() error that means the user or the desktop refused screen capture
// starts with this text (the rest says which back-end and how).
inline QString captureRefusedPrefix()
{
    return QStringLiteral("画面の撮影が許可されていません");
}

inline bool isCaptureRefused(const QString &error)
{
    return error.startsWith(captureRefusedPrefix());
}

// A grab that would miss part of the desktop, because the user shared only
// some of its monitors, fails with an error that starts with this text.
inline QString shareIncompletePrefix()
{
    return QStringLiteral("画面の一部しか共有されていません");
}

inline bool isShareIncomplete(const QString &error)
{
    return error.startsWith(shareIncompletePrefix());
}

inline QString shareIncompleteWarning()
{
    return QStringLiteral("画面の一部しか共有されていないため、設定できません。\r\n"
                          "もう一度設定して、共有する画面をすべて選んでください。");
}

// The warning shown when arming's trial grab was refused.
inline QString captureRefusedWarning()
{
    return QStringLiteral("画面の撮影が許可されていないため、設定できません。\r\n"
                          "デスクトップの確認で撮影を許可してから、もう一度設定してください。");
}

} // namespace platform
