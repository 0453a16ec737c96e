// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QImage>

namespace testsupport
{

// PSNR of b against a over RGB in dB: 99 when identical, 0 when the sizes differ.
double psnr(const QImage &a, const QImage &b);

// A busy desktop-like picture (gradient, photo-like noise, text windows); one per seed.
QImage busyDesktopPicture(const QSize &size, int seed = 1);

} // namespace testsupport
