// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

struct _XDisplay;

namespace platform
{

// Xwayland's root window holds only the pixels of X11 clients: the Wayland
// desktop around them is black there, so it must never be grabbed.
// Recognised by WAYLAND_DISPLAY or by Xwayland's output names (XWAYLAND0...).
bool serverIsXwayland(_XDisplay *display);

// True when $DISPLAY names an X server that is not Xwayland and no Wayland
// display is announced: a session the X11 grab can photograph.
bool nativeX11Session();

// The X11 grab's failure text.
QString x11Failure(const QString &why);

} // namespace platform
