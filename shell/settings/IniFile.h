// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <optional>

// The lines of a settings file and the lookups the settings store needs.
// Sections and keys are matched without regard to letter case; lines the
// program does not understand are kept as they are.
class IniFile
{
public:
    // Decodes what a byte-order mark names (UTF-8, or UTF-16 or UTF-32 in either
    // byte order), else UTF-8, else CP932 (a file carried over from the Windows
    // program). Nothing when the bytes do not hold what their mark names.
    static std::optional<IniFile> fromBytes(const QByteArray &bytes);
    // In the encoding and with the mark the file came in, so the editor that
    // saved it still reads it; a file without a mark becomes UTF-8.
    QByteArray toBytes() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    // Index of the section's header line, or -1.
    int findSection(const QString &section) const;
    // Index one past the section's last line.
    int sectionEnd(int header) const;

    QStringList lines_;
    std::optional<QStringConverter::Encoding> marked_; // named by a byte-order mark
};
