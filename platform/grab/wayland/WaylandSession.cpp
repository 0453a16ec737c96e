// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/wayland/WaylandSession.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace platform
{

namespace
{

template <typename T>
T *bind(wl_registry *registry, std::uint32_t name, const wl_interface *interface,
        std::uint32_t offered, std::uint32_t wanted)
{
    return static_cast<T *>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void outputGeometry(void *data, wl_output *, std::int32_t x, std::int32_t y, std::int32_t,
                    std::int32_t, std::int32_t, const char *, const char *, std::int32_t transform)
{
    auto *o = static_cast<WaylandOutput *>(data);
    o->fromGeometry.moveTo(x, y);
    o->transform = transform;
}

void outputMode(void *data, wl_output *, std::uint32_t flags, std::int32_t width,
                std::int32_t height, std::int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT)
        static_cast<WaylandOutput *>(data)->fromGeometry.setSize({width, height});
}

void outputScale(void *data, wl_output *, std::int32_t factor)
{
    static_cast<WaylandOutput *>(data)->scale = std::max(1, factor);
}

void outputName(void *data, wl_output *, const char *name)
{
    static_cast<WaylandOutput *>(data)->name = QString::fromUtf8(name);
}

void ignoreDone(void *, wl_output *) {}
void ignoreText(void *, wl_output *, const char *) {}

const wl_output_listener outputListener = {outputGeometry, outputMode, ignoreDone,
                                           outputScale,    outputName, ignoreText};

void xdgPosition(void *data, zxdg_output_v1 *, std::int32_t x, std::int32_t y)
{
    static_cast<WaylandOutput *>(data)->logical.moveTo(x, y);
}

void xdgSize(void *data, zxdg_output_v1 *, std::int32_t width, std::int32_t height)
{
    static_cast<WaylandOutput *>(data)->logical.setSize({width, height});
}

void xdgIgnore(void *, zxdg_output_v1 *) {}
void xdgIgnoreText(void *, zxdg_output_v1 *, const char *) {}

const zxdg_output_v1_listener xdgOutputListener = {xdgPosition, xdgSize, xdgIgnore, xdgIgnoreText,
                                                   xdgIgnoreText};

const wl_registry_listener registryListener = {&WaylandSession::global,
                                               &WaylandSession::globalRemove};

void syncDone(void *data, wl_callback *, std::uint32_t)
{
    *static_cast<bool *>(data) = true;
}

const wl_callback_listener syncListener = {syncDone};

} // namespace

WaylandSession::~WaylandSession()
{
    if (!display_)
        return;
    for (auto &o : outputs_) {
        if (o->xdgOutput)
            zxdg_output_v1_destroy(o->xdgOutput);
        wl_output_destroy(o->output);
    }
    if (xdgOutputManager_)
        zxdg_output_manager_v1_destroy(xdgOutputManager_);
    if (screencopy_)
        zwlr_screencopy_manager_v1_destroy(screencopy_);
    if (shm_)
        wl_shm_destroy(shm_);
    if (registry_)
        wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

void WaylandSession::global(void *data, wl_registry *registry, std::uint32_t name,
                            const char *interface, std::uint32_t version)
{
    auto *self = static_cast<WaylandSession *>(data);
    if (std::strcmp(interface, wl_shm_interface.name) == 0)
        self->shm_ = bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
    else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0)
        self->screencopy_ = bind<zwlr_screencopy_manager_v1>(
            registry, name, &zwlr_screencopy_manager_v1_interface, version, 3);
    else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0)
        self->xdgOutputManager_ = bind<zxdg_output_manager_v1>(
            registry, name, &zxdg_output_manager_v1_interface, version, 3);
    else if (std::strcmp(interface, wl_output_interface.name) == 0)
        self->bindOutput(name, version);
}

void WaylandSession::globalRemove(void *data, wl_registry *, std::uint32_t name)
{
    for (auto &o : static_cast<WaylandSession *>(data)->outputs_)
        if (o->globalName == name)
            o->gone = true;
}

void WaylandSession::bindOutput(std::uint32_t name, std::uint32_t version)
{
    auto o = std::make_unique<WaylandOutput>();
    o->globalName = name;
    o->output = bind<wl_output>(registry_, name, &wl_output_interface, version, 4);
    wl_output_add_listener(o->output, &outputListener, o.get());
    if (xdgOutputManager_)
        watchLayout(*o);
    outputs_.push_back(std::move(o));
}

void WaylandSession::watchLayout(WaylandOutput &o)
{
    o.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputManager_, o.output);
    zxdg_output_v1_add_listener(o.xdgOutput, &xdgOutputListener, &o);
}

QString WaylandSession::open()
{
    display_ = wl_display_connect(nullptr);
    if (!display_)
        return QStringLiteral("Wayland のコンポジタに接続できません");
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
    if (!roundtrip(5000))
        return QStringLiteral("Wayland のコンポジタが応答しません");
    // Outputs announced before the xdg-output manager get their layout now.
    for (auto &o : outputs_)
        if (!o->xdgOutput && xdgOutputManager_)
            watchLayout(*o);
    if (!roundtrip(5000))
        return QStringLiteral("Wayland のコンポジタが応答しません");
    for (auto &o : outputs_) {
        // wl_output.geometry says 0,0 for every output on some compositors:
        // trust it only where xdg-output is missing.
        if (!o->xdgOutput) {
            const bool swapped = o->transform % 2 == 1;
            const QSize mode = o->fromGeometry.size();
            o->logical =
                QRect(o->fromGeometry.topLeft(), (swapped ? mode.transposed() : mode) / o->scale);
        }
    }
    return {};
}

bool WaylandSession::offersScreencopy()
{
    WaylandSession session;
    return session.open().isEmpty() && session.screencopy_ && session.shm_;
}

bool WaylandSession::roundtrip(int timeoutMs)
{
    bool done = false;
    wl_callback *callback = wl_display_sync(display_);
    wl_callback_add_listener(callback, &syncListener, &done);
    const bool ok = waitUntil([&done] { return done; }, timeoutMs);
    wl_callback_destroy(callback);
    return ok;
}

bool WaylandSession::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        while (wl_display_prepare_read(display_) != 0)
            if (wl_display_dispatch_pending(display_) < 0)
                return false;
        if (done()) {
            wl_display_cancel_read(display_);
            return true;
        }
        wl_display_flush(display_);
        const int left = timeoutMs - int(clock.elapsed());
        pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, left) <= 0) {
            wl_display_cancel_read(display_);
            return false;
        }
        if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0)
            return false;
    }
    return true;
}

} // namespace platform
