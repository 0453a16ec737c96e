// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/settings/IniFile.h"

#include <QStringDecoder>

namespace
{

bool isSectionHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool inQuotes(const QString &value, char16_t quote)
{
    return value.size() >= 2 && value.front() == quote && value.back() == quote;
}

// Inside double quotes the program writes line breaks and backslashes escaped.
QString unescape(const QString &quoted)
{
    QString out;
    out.reserve(quoted.size());
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const QChar c = quoted[i];
        const QChar next = i + 1 < quoted.size() ? quoted[i + 1] : QChar();
        if (c == u'\\' && (next == u'\\' || next == u'n' || next == u'r')) {
            out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// Splits "key=value" lines; comments and other lines give false.
bool splitEntry(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')))
        return false;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    *value = t.mid(eq + 1).trimmed();
    // A value in matching quotes is read without them, as the Windows profile reader does.
    if (inQuotes(*value, u'\''))
        *value = value->mid(1, value->size() - 2);
    else if (inQuotes(*value, u'"'))
        *value = unescape(value->mid(1, value->size() - 2));
    return true;
}

// How a value is written so that the reader gives it back unchanged: as it is
// where that works, as every ordinary value does; otherwise in double quotes,
// which keep blanks at the ends, with line breaks and backslashes escaped.
QString encodeValue(const QString &value)
{
    const bool plain = value == value.trimmed() && !value.contains(u'\n') &&
                       !value.contains(u'\r') && !inQuotes(value, u'"') && !inQuotes(value, u'\'');
    if (plain)
        return value;
    QString out = QStringLiteral("\"");
    for (const QChar c : value)
        out += c == u'\n'   ? QStringLiteral("\\n")
               : c == u'\r' ? QStringLiteral("\\r")
               : c == u'\\' ? QStringLiteral("\\\\")
                            : QString(c);
    return out + u'"';
}

QString decodeUnmarked(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("windows-31j");
    if (!cp932.isValid())
        cp932 = QStringDecoder("Shift_JIS");
    if (cp932.isValid())
        return cp932(bytes);
    return QString::fromLatin1(bytes);
}

// With the byte-order mark of a marked encoding; UTF-8 without one otherwise.
QByteArray encode(const QString &text, std::optional<QStringConverter::Encoding> marked)
{
    QStringEncoder encoder(marked.value_or(QStringConverter::Utf8),
                           marked ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder(text);
}

} // namespace

std::optional<IniFile> IniFile::fromBytes(const QByteArray &bytes)
{
    IniFile ini;
    ini.marked_ = QStringConverter::encodingForData(bytes);
    QString text;
    if (ini.marked_) {
        // The decoder drops the mark. Bytes that do not come back from their
        // text (a UTF-16 file cut in a character) are not guessed at: a save
        // would change them.
        text = QStringDecoder(*ini.marked_, QStringDecoder::Flag::Stateless)(bytes);
        if (encode(text, ini.marked_) != bytes)
            return std::nullopt;
    } else {
        text = decodeUnmarked(bytes);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ini.lines_ = text.split(QLatin1Char('\n'));
    if (!ini.lines_.isEmpty() && ini.lines_.last().isEmpty())
        ini.lines_.removeLast();
    return ini;
}

QByteArray IniFile::toBytes() const
{
    return encode(lines_.join(QLatin1Char('\n')) + QLatin1Char('\n'), marked_);
}

int IniFile::findSection(const QString &section) const
{
    QString name;
    for (int i = 0; i < lines_.size(); ++i) {
        if (isSectionHeader(lines_[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < lines_.size() && !isSectionHeader(lines_[i]))
        ++i;
    return i;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    QString k, v;
    for (int i = header + 1, end = sectionEnd(header); i < end; ++i) {
        if (splitEntry(lines_[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return std::nullopt;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + QLatin1Char('=') + encodeValue(value);
    int header = findSection(section);
    if (header < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(line);
        return;
    }
    const int end = sectionEnd(header);
    int lastEntry = header;
    QString k, v;
    for (int i = header + 1; i < end; ++i) {
        if (!splitEntry(lines_[i], &k, &v))
            continue;
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            lines_[i] = line;
            return;
        }
        lastEntry = i;
    }
    // New keys go after the section's last entry, ahead of any blank lines.
    lines_.insert(lastEntry + 1, line);
}
