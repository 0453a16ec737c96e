// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <memory>

namespace platform
{
class X11Capture;
}

// The yardstick for the program's capture path: the same MIT-SHM grab, encoded
// straight from the shared image with TurboJPEG (4:4:4, quality 100) and
// written, with no BMP in between.
class ReferenceShot
{
public:
    ReferenceShot();
    ~ReferenceShot();
    QString take(const QString &jpgPath);

private:
    std::unique_ptr<platform::X11Capture> capture_;
    void *encoder_ = nullptr;
};
