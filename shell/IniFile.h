// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The lines of a settings file and the lookups the settings store needs.
// Sections and keys are matched without regard to letter case; lines the
// program does not understand are kept as they are.
class IniFile
{
public:
    // Decodes UTF-8, or CP932 when the bytes are not valid UTF-8 (a file
    // carried over from the Windows program).
    static IniFile fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    // Index of the section's header line, or -1.
    int findSection(const QString &section) const;
    // Index one past the section's last line.
    int sectionEnd(int header) const;

    QStringList lines_;
};
