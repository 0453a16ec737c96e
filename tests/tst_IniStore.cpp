// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "Table.h"
#include "shell/settings/IniStore.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

using mdlCommon::Fun_GetIni;
using mdlCommon::Sub_PutIni;

class tst_IniStore : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    Platform p() { return fake.platform(); }
    QString ini() const { return fake.dataFile(QStringLiteral("Snapsentry.ini")); }
    QByteArray readIni() const { return fake.dataBytes(QStringLiteral("Snapsentry.ini")); }
    void writeIni(const QByteArray &bytes) { QVERIFY(fake.writeDataFile("Snapsentry.ini", bytes)); }

private Q_SLOTS:
    void init() { QFile::remove(ini()); }

    // Keys in a new file, in the order written: the exact bytes, no temporary file left.
    void freshFileHoldsKeysInWrittenOrder()
    {
        Sub_PutIni(p(), "Main", "Step", "15");
        Sub_PutIni(p(), "Main", "SaveFolder", "/home/u/写真");
        Sub_PutIni(p(), "Main", "TopName", "");
        QCOMPARE(readIni(), QByteArray("[Main]\nStep=15\nSaveFolder=/home/u/写真\nTopName=\n"));
        // An empty value is read as empty, not as the default.
        QCOMPARE(Fun_GetIni(p(), "Main", "TopName", "x"), QString());
        QCOMPARE(QDir(fake.dataDir()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Snapsentry.ini")});
    }

    void replacesInPlaceAndKeepsOtherLines()
    {
        writeIni("; kept comment\r\n[Empty]\r\n[MAIN]\r\nstep=05\r\nTopName=a\r\n\r\n[Other]\r\n"
                 "Step=99\r\nQuote=\"\r\n");
        QCOMPARE(Fun_GetIni(p(), "Main", "Step", "01"), QStringLiteral("05"));
        Sub_PutIni(p(), "Main", "Step", "10");
        Sub_PutIni(p(), "Main", "EndType", "2");
        // A new key follows the section's last entry, before the blank line that ends it.
        QCOMPARE(readIni(), QByteArray("; kept comment\n[Empty]\n[MAIN]\nStep=10\nTopName=a\n"
                                       "EndType=2\n\n[Other]\nStep=99\nQuote=\"\n"));
        QCOMPARE(Fun_GetIni(p(), "Other", "Step", ""), QStringLiteral("99"));
        QCOMPARE(Fun_GetIni(p(), "Other", "Quote", ""), QStringLiteral("\"")); // not a quoted empty
        QCOMPARE(Fun_GetIni(p(), "Empty", "Step", "none"), QStringLiteral("none"));
    }

    // What the window held at exit is what it shows at the next start.
    void valueReadsBackAsWritten_data()
    {
        columns<QString>("value");
        dataRow("blank at the end", "/x/shots ");
        dataRow("ideographic space", "写真\u3000");
        dataRow("in double quotes", "\"a\"");
        dataRow("in single quotes", "'a'");
        dataRow("only quotes", "\"\"");
        dataRow("line break", "/x/a\nTopName=b");
        dataRow("CR LF at the end", "/x/a\r\n");
        dataRow("backslashes, quoted", " \\n\\");
        dataRow("exactly as long as the reader takes", QString(1023, QLatin1Char('a')));
        // Cut at 1023 bytes it would name another, maybe existing, folder: read back empty.
        dataRow("longer than the reader takes", QString(1024, QLatin1Char('a')));
    }
    void valueReadsBackAsWritten()
    {
        const auto [value] = fetch<QString>("value");
        Sub_PutIni(p(), "Main", "SaveFolder", value);
        Sub_PutIni(p(), "Main", "TopName", "p");
        QCOMPARE(Fun_GetIni(p(), "Main", "SaveFolder", "def"), value.size() > 1023 ? "" : value);
        QCOMPARE(Fun_GetIni(p(), "Main", "TopName", "def"), QStringLiteral("p"));
    }

    void longValueIsCutAt1023Bytes()
    {
        writeIni("[Main]\nSaveFolder=" + QByteArray(1500, 'a') +
                 "\nTopName=" + QString(400, QChar(0x5199)).toUtf8() + "\n");
        QCOMPARE(Fun_GetIni(p(), "Main", "SaveFolder", "").size(), 1023);
        // A cut never splits a character: 400 three-byte characters keep 341.
        QCOMPARE(Fun_GetIni(p(), "Main", "TopName", ""), QString(341, QChar(0x5199)));
    }

    // A file saved by another editor keeps its values through a save, and its
    // byte-order mark, so that editor still reads it. A file carried over from
    // the Windows program is in CP932 ("C:\写真" in Shift-JIS) and becomes UTF-8.
    void readsFileInItsEncoding_data()
    {
        columns<QByteArray>("bytes");
        const QString text = QStringLiteral("[Main]\r\nSaveFolder=C:\\写真\r\n");
        dataRow("CP932", QByteArray("[Main]\r\nSaveFolder=C:\\\x8e\xca\x90\x5e\r\n"));
        dataRow("UTF-8 with BOM", "\xef\xbb\xbf" + text.toUtf8());
        dataRow("UTF-16 LE with BOM", "\xff\xfe" + QByteArray(QStringEncoder("UTF-16LE")(text)));
        dataRow("UTF-16 BE with BOM", "\xfe\xff" + QByteArray(QStringEncoder("UTF-16BE")(text)));
    }
    void readsFileInItsEncoding()
    {
        const auto [bytes] = fetch<QByteArray>("bytes");
        writeIni(bytes);
        QCOMPARE(Fun_GetIni(p(), "Main", "SaveFolder", ""), QStringLiteral("C:\\写真"));
        Sub_PutIni(p(), "Main", "Step", "10");
        QCOMPARE(Fun_GetIni(p(), "Main", "SaveFolder", ""), QStringLiteral("C:\\写真"));
        QCOMPARE(readIni().left(3), bytes.left(3));
    }

    // The largest file read whole: 1 MiB, its last line at the very end.
    void readsFileOfTheLimit()
    {
        writeIni(QByteArray((1 << 20) - 14, '\n') + "[Main]\nStep=05");
        QCOMPARE(Fun_GetIni(p(), "Main", "Step", "01"), QStringLiteral("05"));
    }

    // Whatever stands in the file's place, or a file that cannot be decoded, is
    // neither read nor replaced.
    void specialFileIsLeftAlone_data()
    {
        columns<QByteArray>("bytes"); // none: a FIFO
        dataRow("FIFO", QByteArray());
        dataRow("one byte over 1 MiB", QByteArray((1 << 20) - 13, '\n') + "[Main]\nStep=05");
        dataRow("UTF-16 cut in a character", QByteArray("\xff\xfe[\0M\0a\0i\0n\0]", 13));
    }
    void specialFileIsLeftAlone()
    {
        const auto [bytes] = fetch<QByteArray>("bytes");
        if (bytes.isEmpty())
            QCOMPARE(::mkfifo(QFile::encodeName(ini()).constData(), 0600), 0);
        else
            writeIni(bytes);
        // QFileInfo looks at the file when first asked, not when made.
        const std::pair before(QFileInfo(ini()).isFile(), QFileInfo(ini()).size());

        QCOMPARE(Fun_GetIni(p(), "Main", "Step", "01"), QStringLiteral("01"));
        Sub_PutIni(p(), "Main", "Step", "10");
        QCOMPARE(std::pair(QFileInfo(ini()).isFile(), QFileInfo(ini()).size()), before);
    }
};

QTEST_GUILESS_MAIN(tst_IniStore)
#include "tst_IniStore.moc"
