// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_shm;
struct wl_output;
struct zwlr_screencopy_manager_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace platform
{

// One output of the compositor and where it lies on the desktop.
struct WaylandOutput {
    std::uint32_t globalName = 0;
    wl_output *output = nullptr;
    zxdg_output_v1 *xdgOutput = nullptr;
    QString name;
    QRect logical;      // position and size in desktop coordinates
    QRect fromGeometry; // wl_output's own idea, used without xdg-output
    int transform = 0;  // wl_output_transform
    int scale = 1;
    bool gone = false;
};

// A private connection to the Wayland compositor, used by one thread only, with
// the globals the screen grab needs. Every wait has a time limit: a compositor
// that stops answering must not hang the grab forever.
class WaylandSession
{
public:
    WaylandSession() = default;
    WaylandSession(const WaylandSession &) = delete;
    WaylandSession &operator=(const WaylandSession &) = delete;
    ~WaylandSession();

    // Connects (WAYLAND_DISPLAY, or wayland-0) and learns the globals and the
    // outputs' layout. Returns "" or why not.
    QString open();
    // True when a compositor answers and offers wlr-screencopy.
    static bool offersScreencopy();

    wl_display *display() const { return display_; }
    wl_shm *shm() const { return shm_; }
    zwlr_screencopy_manager_v1 *screencopy() const { return screencopy_; }
    std::vector<std::unique_ptr<WaylandOutput>> &outputs() { return outputs_; }

    // Dispatches events until done() holds; false on a time-out or a broken connection.
    bool waitUntil(const std::function<bool()> &done, int timeoutMs);
    bool roundtrip(int timeoutMs);

    // The registry's listener.
    static void global(void *data, wl_registry *, std::uint32_t name, const char *interface,
                       std::uint32_t version);
    static void globalRemove(void *data, wl_registry *, std::uint32_t name);

private:
    void bindOutput(std::uint32_t name, std::uint32_t version);
    void watchLayout(WaylandOutput &output);

    wl_display *display_ = nullptr;
    wl_registry *registry_ = nullptr;
    wl_shm *shm_ = nullptr;
    zwlr_screencopy_manager_v1 *screencopy_ = nullptr;
    zxdg_output_manager_v1 *xdgOutputManager_ = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
};

} // namespace platform
