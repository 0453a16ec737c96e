// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <spa/param/video/raw.h>
#include <vector>

namespace testsupport
{

// A video source node on the session's PipeWire daemon (with-pipewire.sh
// starts a private one), as a desktop's screen cast gives it: a driver that
// shows picture 30 times a second to whoever links to it, from a loop thread
// and connection of its own. formats: the spa_video_format values offered
// (BGRx, RGB; another one, such as NV12, is only there to be refused).
// silent: negotiates, but hands out no frame. padding: bytes after each row.
class PipeWireSource
{
public:
    PipeWireSource(const QImage &picture, std::vector<std::uint32_t> formats, bool silent = false,
                   int padding = 0);
    ~PipeWireSource();
    // Connects and makes the node: "" once it has its id, else why not.
    QString start();
    std::uint32_t nodeId() const;

    struct Private;

private:
    std::unique_ptr<Private> d;
};

} // namespace testsupport
