// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/x11/X11Session.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cstdlib>
#include <cstring>

namespace platform
{

namespace
{

bool waylandAnnounced()
{
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland && *wayland;
}

} // namespace

bool serverIsXwayland(Display *display)
{
    if (waylandAnnounced())
        return true;
    int event = 0, error = 0;
    if (!XRRQueryExtension(display, &event, &error))
        return false;
    XRRScreenResources *res = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!res)
        return false;
    bool xwayland = false;
    for (int i = 0; i < res->noutput && !xwayland; ++i) {
        if (XRROutputInfo *info = XRRGetOutputInfo(display, res, res->outputs[i])) {
            xwayland = std::strncmp(info->name, "XWAYLAND", 8) == 0;
            XRRFreeOutputInfo(info);
        }
    }
    XRRFreeScreenResources(res);
    return xwayland;
}

bool nativeX11Session()
{
    const char *name = std::getenv("DISPLAY");
    if (waylandAnnounced() || !name || !*name)
        return false;
    Display *display = XOpenDisplay(name);
    if (!display)
        return false;
    const bool native = !serverIsXwayland(display);
    XCloseDisplay(display);
    return native;
}

QString x11Failure(const QString &why)
{
    return QStringLiteral("画面を取り込めません (X11): ") + why;
}

} // namespace platform
