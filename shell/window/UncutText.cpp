// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/window/UncutText.h"

#include <QLineEdit>
#include <algorithm>

namespace mdlMain
{

void showUncut(QLineEdit *box, const QString &text)
{
    // QLineEdit cuts even setText() at maxLength, so the limit follows the text down.
    const int typed = box->maxLength();
    if (text.size() > typed) {
        box->setMaxLength(int(text.size()));
        QObject::connect(box, &QLineEdit::textEdited, box, [box, typed](const QString &now) {
            if (box->maxLength() <= typed || now.size() >= box->maxLength())
                return;
            // setMaxLength() sets the text anew, which moves the cursor to the end.
            const int cursor = box->cursorPosition();
            box->setMaxLength(std::max(typed, int(now.size())));
            box->setCursorPosition(cursor);
        });
    }
    box->setText(text);
}

} // namespace mdlMain
