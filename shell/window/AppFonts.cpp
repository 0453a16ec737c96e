// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/window/AppFonts.h"

#include <QApplication>
#include <QFont>

void installAppFonts()
{
    // Without the substitution fontconfig answers DejaVu for this family, which
    // has no Japanese glyphs.
    const QStringList gothic = {QStringLiteral("IPAPGothic"),       QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                                QStringLiteral("VL PGothic"),       QStringLiteral("TakaoPGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), gothic);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"), 9);
    QApplication::setFont(font);
}
