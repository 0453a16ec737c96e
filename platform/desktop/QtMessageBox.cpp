// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/desktop/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform
{

void QtMessageBox::show(const QString &text, MsgIcon icon)
{
    const QMessageBox::Icon qtIcon = icon == MsgIcon::Critical  ? QMessageBox::Critical
                                     : icon == MsgIcon::Warning ? QMessageBox::Warning
                                                                : QMessageBox::Information;
    // Texts carry CR LF line breaks; a label wants plain LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QWidget *owner = QApplication::activeWindow();
    QMessageBox box(qtIcon, QStringLiteral("Snapsentry"), shown, QMessageBox::Ok,
                    owner && owner->isVisible() ? owner : nullptr);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace platform
