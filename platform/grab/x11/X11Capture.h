// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

namespace platform
{

// A private connection to the X server that reads the root window, through one
// MIT-SHM segment kept from shot to shot, or plain XGetImage where MIT-SHM fails.
class X11Capture
{
public:
    X11Capture() = default;
    X11Capture(const X11Capture &) = delete;
    X11Capture &operator=(const X11Capture &) = delete;
    ~X11Capture();

    // Grabs the whole root window. The image stays valid until the next call;
    // nullptr with *error set where no X11 screen can be grabbed.
    XImage *grab(QString *error);

private:
    QString connect();
    bool attachShm(const XWindowAttributes &root);
    void detachShm();

    Display *display_ = nullptr;
    Window root_ = 0;
    bool shmUsable_ = false;
    XShmSegmentInfo shm_{};
    XImage *shmImage_ = nullptr;
    XImage *plainImage_ = nullptr;
};

} // namespace platform
