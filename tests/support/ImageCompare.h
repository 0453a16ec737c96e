// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QImage>

namespace testsupport
{

// Peak signal-to-noise ratio of b against a over the RGB channels, in dB;
// 99 for identical pictures, 0 when the sizes differ.
double psnr(const QImage &a, const QImage &b);

// A busy, desktop-like picture: gradients, windows with text, photo-like noise.
// The same seed gives the same picture.
QImage busyDesktopPicture(const QSize &size, int seed = 1);

} // namespace testsupport
