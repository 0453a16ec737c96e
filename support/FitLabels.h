// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QList>

class QLabel;
class QWidget;

namespace support
{

// Makes every label wide enough for its whole text. A centred label grows
// evenly to both sides, any other to the right; when the box itself is too
// narrow, it grows and all its controls move right by half the growth, so
// the layout stays balanced. Labels that fit are left where they are.
void fitLabels(QWidget *box, const QList<QLabel *> &labels);

} // namespace support
