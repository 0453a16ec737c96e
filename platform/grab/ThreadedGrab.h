// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BlockingGrab.h"
#include "platform/grab/ScreenGrab.h"

#include <QObject>
#include <QThreadPool>
#include <memory>

namespace platform
{

// Runs a blocking grab on a worker thread of its own and reports on the GUI thread.
class ThreadedGrab final : public ScreenGrab
{
public:
    explicit ThreadedGrab(std::unique_ptr<BlockingGrab> grab);
    // Waits for a grab in flight; its answer is dropped.
    ~ThreadedGrab() override;
    void grabToBmp(const QString &bmpPath, Done done) override;

private:
    std::unique_ptr<BlockingGrab> grab_;
    QObject receiver_; // lives on the GUI thread; answers are delivered through it
    QThreadPool pool_; // declared last, so it is drained before the grab goes away
};

} // namespace platform
