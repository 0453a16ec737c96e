// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace platform
{

// Takes one current frame of each PipeWire node on the remote that the portal
// opened (remoteFd, which is closed here in every case). Blocks the calling
// thread for at most timeLimitMs. Returns "" and one picture per node, in
// order, or why not.
QString takeFrames(int remoteFd, const std::vector<std::uint32_t> &nodes, int timeLimitMs,
                   std::vector<QImage> *frames);

} // namespace platform
