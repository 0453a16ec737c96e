// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include <spa/param/video/raw.h>

namespace testsupport
{

// A video source node on the PipeWire daemon of the session (with-pipewire.sh
// starts a private one), as a desktop's screen cast gives it: a driver that
// shows the same picture about 30 times a second to whoever links to it. It
// runs on a loop thread and connection of its own, so the code under test
// talks to it as to another program.
class PipeWireSource
{
public:
    // formats: spa_video_format values offered, in order of preference; one
    // the consumer does not take (NV12, YUY2) makes a refused negotiation.
    // silent: negotiates and runs, but never hands out a frame.
    // padding: bytes after every row, so a stride is not width * pixel size.
    PipeWireSource(const QImage &picture, std::vector<std::uint32_t> formats, bool silent = false,
                   int padding = 0);
    ~PipeWireSource();
    PipeWireSource(const PipeWireSource &) = delete;
    PipeWireSource &operator=(const PipeWireSource &) = delete;

    // Connects and creates the node; "" once it has its id, else why not.
    QString start();
    std::uint32_t nodeId() const;
    // The format last agreed on with a consumer ("BGRx"...), "" before any.
    QString lastFormat() const;

    struct Private;

private:
    std::unique_ptr<Private> d;
};

} // namespace testsupport
