// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"
#include "platform/PosixFileSystem.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

// One hand-written fake for every platform service: it records what the
// program asked for and answers what the test scripted. Its application folder
// and its data folder are two fresh temporary folders, as in an installed tree.
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
    FakePlatform();
    Platform platform();
    QString appDir() const { return appDir_.path(); }
    QString appFile(const QString &name) const { return appDir() + QLatin1Char('/') + name; }
    QString dataDir() const { return dataDir_.path(); }
    QString dataFile(const QString &name) const { return dataDir() + QLatin1Char('/') + name; }
    // The texts of the Err.log entries in record order, blanks trimmed.
    QStringList logEntries() const;

    // Message boxes. onMessage runs while the box is "open", so a test can make
    // a timer tick or a click happen inside a modal box.
    struct Message {
        QString text;
        platform::MsgIcon icon;
    };
    QList<Message> messages;
    std::function<void(const Message &)> onMessage;
    void show(const QString &text, platform::MsgIcon icon) override;
    QStringList messageTexts() const;

    // Clock.
    QDateTime nowValue{QDate(2026, 12, 7), QTime(9, 0, 0)};
    QDateTime now() const override { return nowValue; }
    void setTime(int hour, int minute, int second = 0);

    // Tray.
    bool trayAvailable = true;
    bool trayShown = false;
    platform::NotifyIconData trayData; // the record: what the icon shows (or would show)
    QStringList trayCalls;             // "add", "modify", "remove"
    ActivatedHandler trayHandler;
    bool isAvailable() const override { return trayAvailable; }
    void add() override;
    void modify(const platform::NotifyIconData &data) override;
    void remove() override;
    void setActivatedHandler(ActivatedHandler handler) override { trayHandler = handler; }

    // Screen grab: writes a small BMP unless grabError is set, and answers from
    // the event loop, or only when the test calls finishGrab() if holdGrabs is set.
    QStringList grabs;
    QString grabError;
    bool holdGrabs = false;
    bool asksPermissionAnswer = false;
    bool asksPermission() const override { return asksPermissionAnswer; }
    void grabToBmp(const QString &bmpPath, Done done) override;
    bool grabPending() const { return bool(heldGrab_); }
    void finishGrab();

    // Converter: on result 0 it writes the JPEG path. converterMissing simulates
    // a library that cannot be loaded.
    QList<QPair<QString, QString>> conversions;
    int convertResult = 0;
    bool converterMissing = false;
    bool saveToJpeg(const QString &bmpPath, const QString &jpgPath, std::uint8_t quality,
                    std::int32_t options, int *result, QString *error) override;

    // Folder dialog.
    std::optional<QString> folderAnswer;
    QStringList folderDialogTitles;
    std::optional<QString> chooseFolder(QWidget *owner, const QString &title) override;

    // Launcher.
    QStringList openedDocuments, openedUrls, openedFolders;
    int documentResult = 42;
    QString urlError, folderError;
    int openDocument(const QString &path) override;
    QString openUrl(const QString &address) override;
    QString openFolder(const QString &path) override;

    // Process.
    std::optional<int> exitCode;
    void exitNow(int code) override { exitCode = code; }

    // File system: the real one, but an operation ("probe", "create", "remove",
    // "read", "replace", "write") on a path scripted here fails with that errno
    // and changes nothing, so that full disks and read-only folders need no root.
    void failFs(const QString &operation, const QString &path, int error)
    {
        fsErrors_.insert(operation + QLatin1Char(' ') + path, error);
    }
    platform::FsEntry probe(const QString &path) override;
    platform::FsResult createNew(const QString &path, const QByteArray &content) override;
    platform::FsResult remove(const QString &path) override;
    platform::FsResult read(const QString &path, qint64 maxSize, QByteArray *bytes) override;
    platform::FsResult readAt(const QString &path, qint64 offset, qint64 size,
                              QByteArray *bytes) override;
    platform::FsResult replaceAtomically(const QString &path, const QByteArray &content) override;
    platform::FsResult writeAt(const QString &path, qint64 offset, const QByteArray &bytes,
                               bool *created) override;

private:
    int fsError(const char *operation, const QString &path) const
    {
        return fsErrors_.value(QLatin1String(operation) + QLatin1Char(' ') + path);
    }
    platform::PosixFileSystem realFs_;
    QHash<QString, int> fsErrors_;
    QString writeGrab(const QString &bmpPath);
    QTemporaryDir appDir_;
    QTemporaryDir dataDir_;
    std::function<void()> heldGrab_;
};
