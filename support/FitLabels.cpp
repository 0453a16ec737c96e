// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/FitLabels.h"

#include <QLabel>
#include <algorithm>

namespace support
{

namespace
{

constexpr int Margin = 4;

int needed(const QLabel *label)
{
    return label->fontMetrics().horizontalAdvance(label->text()) + 2;
}

bool centred(const QLabel *label)
{
    return label->alignment() & Qt::AlignHCenter;
}

} // namespace

void fitLabels(QWidget *box, const QList<QLabel *> &labels)
{
    int grow = 0;
    for (const QLabel *label : labels) {
        const int room =
            centred(label) ? box->width() - 2 * Margin : 2 * (box->width() - Margin - label->x());
        const int need = centred(label) ? needed(label) : 2 * needed(label);
        grow = std::max(grow, need - room);
    }
    if (grow > 0) {
        grow += grow % 2;
        box->setFixedWidth(box->width() + grow);
        for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            child->move(child->x() + grow / 2, child->y());
    }
    for (QLabel *label : labels) {
        const int need = needed(label);
        if (need <= label->width())
            continue;
        int x = label->x();
        if (centred(label))
            x = std::clamp(label->x() + label->width() / 2 - need / 2, Margin,
                           box->width() - Margin - need);
        label->setGeometry(x, label->y(), need, label->height());
    }
}

} // namespace support
