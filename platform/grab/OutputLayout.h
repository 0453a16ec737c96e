// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BmpWriter.h"

#include <QImage>
#include <QRect>
#include <vector>

namespace platform
{

// One output's picture at its own pixel resolution, upright, and where the
// output lies on the desktop in logical coordinates.
struct OutputPicture {
    QImage image;
    QRect logical;
};

// Puts the outputs' pictures on their bounding box, black outside them. The
// desktop is drawn at the highest pixel density among the outputs, so that no
// output loses detail; outputs of a lower density are enlarged to match. Where
// every output has the same density each pixel is copied as it is.
QImage composeDesktop(const std::vector<OutputPicture> &outputs);

// Composes the outputs and stores the desktop through bmp (its buffer is kept
// for the next shot). Returns "" or why not; a failure leaves no file at path.
QString storeDesktopAsBmp(const std::vector<OutputPicture> &outputs, BmpWriter &bmp,
                          const QString &path);

// Turns a compositor's buffer of an output into the picture the user sees:
// undoes the output's rotation or mirroring (wl_output_transform) and a
// buffer stored bottom row first.
QImage uprightOutputPicture(const QImage &buffer, int transform, bool yInverted);

} // namespace platform
