// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"

#include "support/ErrLog.h"

#include <QFile>
#include <QImage>
#include <QTimer>

FakePlatform::FakePlatform() = default;

Platform FakePlatform::platform()
{
    return Platform{*this, *this, *this, *this,    *this,    *this,
                    *this, *this, *this, appDir(), dataDir()};
}

QStringList FakePlatform::logEntries() const
{
    QFile file(dataFile(QStringLiteral("Err.log")));
    QStringList entries;
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    for (qsizetype at = support::LogRecordSize; at < bytes.size(); at += support::LogRecordSize)
        entries << QString::fromUtf8(bytes.mid(at + 21, support::LogTextSize)).trimmed();
    return entries;
}

void FakePlatform::show(const QString &text, platform::MsgIcon icon)
{
    messages.append({text, icon});
    if (onMessage)
        onMessage(messages.last());
}

QStringList FakePlatform::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts << m.text;
    return texts;
}

void FakePlatform::setTime(int hour, int minute, int second)
{
    nowValue.setTime(QTime(hour, minute, second));
}

void FakePlatform::add()
{
    trayCalls << QStringLiteral("add");
    trayShown = true;
}

void FakePlatform::modify(const platform::NotifyIconData &data)
{
    trayCalls << QStringLiteral("modify");
    trayData = data;
}

void FakePlatform::remove()
{
    trayCalls << QStringLiteral("remove");
    trayShown = false;
}

void FakePlatform::grabToBmp(const QString &bmpPath, Done done)
{
    grabs << bmpPath;
    heldGrab_ = [this, bmpPath, done] { done(writeGrab(bmpPath)); };
    // Like a real grab it answers later, from the event loop.
    if (!holdGrabs)
        QTimer::singleShot(0, [this] { finishGrab(); });
}

void FakePlatform::finishGrab()
{
    if (auto grab = std::exchange(heldGrab_, nullptr))
        grab();
}

QString FakePlatform::writeGrab(const QString &bmpPath)
{
    if (!grabError.isEmpty())
        return grabError;
    QImage image(8, 8, QImage::Format_RGB888);
    image.fill(Qt::darkCyan);
    if (!image.save(bmpPath, "BMP"))
        return QStringLiteral("cannot write %1").arg(bmpPath);
    return {};
}

bool FakePlatform::saveToJpeg(const QString &bmpPath, const QString &jpgPath, std::uint8_t,
                              std::int32_t, int *result, QString *error)
{
    conversions.append({bmpPath, jpgPath});
    if (converterMissing) {
        *error = QStringLiteral("libSaveJPG.so: cannot open shared object file");
        return false;
    }
    *result = convertResult;
    if (convertResult == 0) {
        QFile jpg(jpgPath);
        if (jpg.open(QIODevice::WriteOnly))
            jpg.write("\xFF\xD8\xFF\xD9", 4);
    }
    return true;
}

std::optional<QString> FakePlatform::chooseFolder(QWidget *, const QString &title)
{
    folderDialogTitles << title;
    return folderAnswer;
}

int FakePlatform::openDocument(const QString &path)
{
    openedDocuments << path;
    return documentResult;
}

QString FakePlatform::openUrl(const QString &address)
{
    openedUrls << address;
    return urlError;
}

QString FakePlatform::openFolder(const QString &path)
{
    openedFolders << path;
    return folderError;
}

platform::FsEntry FakePlatform::probe(const QString &path)
{
    if (const int error = fsError("probe", path))
        return {{error}};
    return realFs_.probe(path);
}

platform::FsResult FakePlatform::createNew(const QString &path, const QByteArray &content)
{
    if (const int error = fsError("create", path))
        return {error};
    return realFs_.createNew(path, content);
}

platform::FsResult FakePlatform::remove(const QString &path)
{
    if (const int error = fsError("remove", path))
        return {error};
    return realFs_.remove(path);
}

platform::FsResult FakePlatform::read(const QString &path, qint64 maxSize, QByteArray *bytes)
{
    if (const int error = fsError("read", path))
        return {error};
    return realFs_.read(path, maxSize, bytes);
}

platform::FsResult FakePlatform::readAt(const QString &path, qint64 offset, qint64 size,
                                        QByteArray *bytes)
{
    if (const int error = fsError("read", path))
        return {error};
    return realFs_.readAt(path, offset, size, bytes);
}

platform::FsResult FakePlatform::replaceAtomically(const QString &path, const QByteArray &content)
{
    if (const int error = fsError("replace", path))
        return {error};
    return realFs_.replaceAtomically(path, content);
}

platform::FsResult FakePlatform::writeAt(const QString &path, qint64 offset,
                                         const QByteArray &bytes, bool *created)
{
    if (const int error = fsError("write", path))
        return {error};
    return realFs_.writeAt(path, offset, bytes, created);
}
