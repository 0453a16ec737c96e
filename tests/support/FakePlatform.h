// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"
#include "platform/files/PosixFileSystem.h"
#include "support/ErrLog.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <optional>

// Every platform service: records what the program asked for, answers what the test
// scripted. Its application and data folders are two fresh ones, as in an installed tree.
class FakePlatform final : public platform::MessageBox,
                           public platform::Clock,
                           public platform::Tray,
                           public platform::ScreenGrab,
                           public platform::JpegConverter,
                           public platform::FolderDialog,
                           public platform::Launcher,
                           public platform::Process,
                           public platform::FileSystem
{
public:
    Platform platform()
    {
        return Platform{*this, *this, *this, *this,    *this,    *this,
                        *this, *this, *this, appDir(), dataDir()};
    }
    QString appDir() const { return appDir_.path(); }
    QString appFile(const QString &name) const { return appDir() + QLatin1Char('/') + name; }
    QString dataDir() const { return dataDir_.path(); }
    QString dataFile(const QString &name) const { return dataDir() + QLatin1Char('/') + name; }
    // The bytes of a file in the data folder, empty when it cannot be read.
    QByteArray dataBytes(const QString &name) const
    {
        QFile file(dataFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool writeDataFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(dataFile(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    // The texts of the Err.log entries in record order, blanks trimmed.
    QStringList logEntries() const
    {
        const QByteArray bytes = dataBytes(QStringLiteral("Err.log"));
        QStringList entries;
        for (qsizetype at = support::LogRecordSize; at < bytes.size(); at += support::LogRecordSize)
            entries << QString::fromUtf8(bytes.mid(at + 21, support::LogTextSize)).trimmed();
        return entries;
    }

    // Message boxes. onMessage runs while the box is "open", as inside a modal box.
    struct Message {
        QString text;
        platform::MsgIcon icon;
    };
    QList<Message> messages;
    std::function<void(const Message &)> onMessage;
    void show(const QString &text, platform::MsgIcon icon) override
    {
        messages.append({text, icon});
        if (onMessage)
            onMessage(messages.last());
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message &m : messages)
            texts << m.text;
        return texts;
    }

    // Clock.
    QDateTime nowValue{QDate(2026, 12, 7), QTime(9, 0, 0)};
    QDateTime now() const override { return nowValue; }
    void setTime(int hour, int minute, int second = 0) { nowValue.setTime({hour, minute, second}); }

    // Tray.
    bool trayAvailable = true;
    bool trayShown = false;
    platform::NotifyIconData trayData; // the record: what the icon shows (or would show)
    QStringList trayCalls;             // "add", "modify", "remove"
    ActivatedHandler trayHandler;
    bool isAvailable() const override { return trayAvailable; }
    void add() override
    {
        trayCalls << QStringLiteral("add");
        trayShown = true;
    }
    void modify(const platform::NotifyIconData &data) override
    {
        trayCalls << QStringLiteral("modify");
        trayData = data;
    }
    void remove() override
    {
        trayCalls << QStringLiteral("remove");
        trayShown = false;
    }
    void setActivatedHandler(ActivatedHandler handler) override { trayHandler = handler; }

    // Screen grab: a small BMP or grabError, from the event loop (holdGrabs: at finishGrab()).
    QStringList grabs;
    QString grabError;
    bool holdGrabs = false;
    bool asksPermissionAnswer = false;
    bool asksPermission() const override { return asksPermissionAnswer; }
    void grabToBmp(const QString &bmpPath, Done done) override
    {
        grabs << bmpPath;
        heldGrab_ = [this, bmpPath, done] {
            QImage image(8, 8, QImage::Format_RGB888);
            image.fill(Qt::darkCyan);
            if (grabError.isEmpty() && !image.save(bmpPath, "BMP"))
                done(QStringLiteral("cannot write %1").arg(bmpPath));
            else
                done(grabError);
        };
        if (!holdGrabs)
            QTimer::singleShot(0, [this] { finishGrab(); });
    }
    bool grabPending() const { return bool(heldGrab_); }
    void finishGrab()
    {
        if (auto grab = std::exchange(heldGrab_, nullptr))
            grab();
    }

    // Converter: on result 0 it writes the JPEG; converterMissing: the library cannot load.
    QList<QPair<QString, QString>> conversions;
    int convertResult = 0;
    bool converterMissing = false;
    bool saveToJpeg(const QString &bmpPath, const QString &jpgPath, std::uint8_t, std::int32_t,
                    int *result, QString *error) override
    {
        conversions.append({bmpPath, jpgPath});
        if (converterMissing) {
            *error = QStringLiteral("libSaveJPG.so: cannot open shared object file");
            return false;
        }
        *result = convertResult;
        QFile jpg(jpgPath);
        if (convertResult == 0 && jpg.open(QIODevice::WriteOnly))
            jpg.write("\xFF\xD8\xFF\xD9", 4);
        return true;
    }

    // Folder dialog.
    std::optional<QString> folderAnswer;
    QStringList folderDialogTitles;
    std::optional<QString> chooseFolder(QWidget *, const QString &title) override
    {
        folderDialogTitles << title;
        return folderAnswer;
    }

    // Launcher: records what was opened and answers as scripted.
    QStringList openedDocuments, openedUrls, openedFolders;
    int documentResult = 42;
    QString urlError, folderError;
    int openDocument(const QString &path) override
    {
        openedDocuments << path;
        return documentResult;
    }
    QString openUrl(const QString &address) override
    {
        openedUrls << address;
        return urlError;
    }
    QString openFolder(const QString &path) override
    {
        openedFolders << path;
        return folderError;
    }

    // Process.
    std::optional<int> exitCode;
    void exitNow(int code) override { exitCode = code; }

    // File system: the real one, but an operation ("probe", "create", "remove", "read", "replace",
    // "write") on a path scripted here fails with that errno: full disks need no root.
    void failFs(const QString &operation, const QString &path, int error)
    {
        fsErrors_.insert(operation + QLatin1Char(' ') + path, error);
    }
    platform::FsEntry probe(const QString &path) override { return fs("probe", path, &Fs::probe); }
    platform::FsResult createNew(const QString &path, const QByteArray &content) override
    {
        return fs("create", path, &Fs::createNew, content);
    }
    platform::FsResult remove(const QString &path) override
    {
        return fs("remove", path, &Fs::remove);
    }
    platform::FsResult read(const QString &path, qint64 maxSize, QByteArray *bytes) override
    {
        return fs("read", path, &Fs::read, maxSize, bytes);
    }
    platform::FsResult readAt(const QString &path, qint64 offset, qint64 size,
                              QByteArray *bytes) override
    {
        return fs("read", path, &Fs::readAt, offset, size, bytes);
    }
    platform::FsResult replaceAtomically(const QString &path, const QByteArray &content) override
    {
        return fs("replace", path, &Fs::replaceAtomically, content);
    }
    platform::FsResult writeAt(const QString &path, qint64 offset, const QByteArray &bytes,
                               bool *created) override
    {
        return fs("write", path, &Fs::writeAt, offset, bytes, created);
    }

private:
    using Fs = platform::PosixFileSystem;
    // The scripted error for operation on path, else the real file system's answer.
    template <class R, class... Params, class... Args>
    R fs(const char *operation, const QString &path, R (Fs::*call)(const QString &, Params...),
         Args &&...args)
    {
        if (const int error = fsErrors_.value(QLatin1String(operation) + QLatin1Char(' ') + path))
            return R{{error}};
        return (realFs_.*call)(path, std::forward<Args>(args)...);
    }
    Fs realFs_;
    QHash<QString, int> fsErrors_;
    QTemporaryDir appDir_;
    QTemporaryDir dataDir_;
    std::function<void()> heldGrab_;
};
