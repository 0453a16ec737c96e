// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/ThreadedGrab.h"

#include "platform/grab/BackgroundThread.h"

namespace platform
{

ThreadedGrab::ThreadedGrab(std::unique_ptr<BlockingGrab> grab) : grab_(std::move(grab))
{
    // One thread that stays: the back-end's display connection is used by it alone.
    pool_.setMaxThreadCount(1);
    pool_.setExpiryTimeout(-1);
}

ThreadedGrab::~ThreadedGrab()
{
    pool_.waitForDone();
}

void ThreadedGrab::grabToBmp(const QString &bmpPath, Done done)
{
    pool_.start([this, bmpPath, done = std::move(done)] {
        becomeBackgroundThread();
        const QString error = grab_->grabNow(bmpPath);
        QMetaObject::invokeMethod(
            &receiver_, [done, error] { done(error); }, Qt::QueuedConnection);
    });
}

} // namespace platform
