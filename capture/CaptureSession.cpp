// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "capture/CaptureSession.h"

#include "capture/Schedule.h"
#include "capture/ShotPath.h"
#include "platform/grab/BackgroundThread.h"
#include "support/ErrLog.h"
#include "support/ErrorHandler.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <limits>

namespace capture
{

namespace
{

const QString CaptureTitle = QStringLiteral("キャプチャエラー");
const QString CaptureWhere = QStringLiteral("[frmMain]-[CapTimer_Timer] ");

QString minuteText(const QDateTime &when)
{
    return when.toString(QStringLiteral("HHmm"));
}

QTimer *makeTimer(QObject *owner, const char *name, int interval)
{
    auto *t = new QTimer(owner);
    t->setObjectName(QLatin1String(name));
    t->setInterval(interval);
    return t;
}

} // namespace

CaptureSession::CaptureSession(const Platform &platform, QObject *parent)
    : QObject(parent), p(platform), StartTimer(makeTimer(this, "StartTimer", 1000)),
      CapTimer(makeTimer(this, "CapTimer", 1000))
{
    converter_.setMaxThreadCount(1);
    connect(StartTimer, &QTimer::timeout, this, &CaptureSession::StartTimer_Timer);
    connect(CapTimer, &QTimer::timeout, this, &CaptureSession::CapTimer_Timer);
}

CaptureSession::~CaptureSession()
{
    converter_.waitForDone();
}

void CaptureSession::arm(const RunSettings &settings)
{
    ++generation_;
    armed_ = true;
    Q_EMIT armedChanged(true);
    settings_ = settings;
    run_.CapCount = 0;
    run_.EndFlag = 0;
    run_.StartTime = settings.startTime;
    run_.EndTime = settings.endTime;
    run_.StepTime = settings.step;
    run_.NextTime = run_.StartTime;
    StartTimer->start();
}

void CaptureSession::disarm()
{
    ++generation_;
    StartTimer->stop();
    CapTimer->stop();
    armed_ = false;
    run_.CapCount = 0;
    run_.EndFlag = 0;
    Q_EMIT armedChanged(false);
}

void CaptureSession::finishForExit(int timeoutMs)
{
    ++generation_;
    StartTimer->stop();
    CapTimer->stop();
    const QDeadlineTimer deadline(timeoutMs);
    while (shotInFlight_ && !deadline.hasExpired()) {
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

bool CaptureSession::isCapturing() const
{
    return armed_ && !StartTimer->isActive();
}

void CaptureSession::StartTimer_Timer()
{
    if (minuteText(p.clock.now()) == run_.StartTime) {
        StartTimer->stop();
        CapTimer->start();
        Q_EMIT runChanged();
    }
}

void CaptureSession::CapTimer_Timer()
{
    if (tickRunning_)
        return;
    tickRunning_ = true;
    const quint64 generation = generation_;
    bool shooting = false;
    const bool completed = support::guarded(p, CaptureTitle, CaptureWhere, [&] {
        run_.NowTime = minuteText(p.clock.now());
        const QString next = catchUpNextTime(run_.StartTime, run_.EndTime, run_.StepTime,
                                             run_.NextTime, run_.NowTime);
        if (next != run_.NextTime) {
            run_.NextTime = next;
            Q_EMIT runChanged();
        }
        if (run_.NextTime == run_.NowTime) {
            startShot(generation);
            shooting = true;
            return;
        }
        testEnd();
    });
    if (!shooting)
        endTick(completed, generation);
}

void CaptureSession::startShot(quint64 generation)
{
    const QString base = shotBasePath(settings_.saveFolder, settings_.prefix, run_.NowTime);
    const QString bmp = base + QStringLiteral(".bmp");
    const QString jpg = base + QStringLiteral(".jpg");
    shotInFlight_ = true;
    const QPointer<CaptureSession> self(this);
    p.screenGrab.grabToBmp(bmp, [self, generation, bmp, jpg](const QString &error) {
        if (!self)
            return;
        if (!error.isEmpty())
            return self->shotDone(generation, bmp, jpg, ShotResult{error});
        self->converter_.start([self = self.data(), generation, bmp, jpg] {
            platform::becomeBackgroundThread();
            const ShotResult result = self->convert(bmp, jpg);
            QMetaObject::invokeMethod(
                self, [=] { self->shotDone(generation, bmp, jpg, result); }, Qt::QueuedConnection);
        });
    });
}

// Runs on the converter's thread.
CaptureSession::ShotResult CaptureSession::convert(const QString &bmp, const QString &jpg)
{
    ShotResult shot;
    int result = 0;
    if (!p.converter.saveToJpeg(bmp, jpg, 100, -1, &result, &shot.error))
        return shot;
    // Only the low 16 bits of the converter's answer count.
    shot.jpgAns = static_cast<qint16>(static_cast<quint16>(result & 0xFFFF));
    shot.stored = shot.jpgAns == 0;
    if (shot.stored)
        if (const platform::FsResult removed = p.files.remove(bmp); !removed.ok())
            shot.error = removed.description();
    return shot;
}

void CaptureSession::shotDone(quint64 generation, const QString &bmp, const QString &jpg,
                              const ShotResult &result)
{
    shotInFlight_ = false;
    // Stored even when the run was cancelled meanwhile: the file is there.
    if (result.stored)
        Q_EMIT shotSaved(jpg);
    if (generation != generation_) {
        // Cancelled while in flight: the shot leaves no BMP behind and the tick ends here.
        p.files.remove(bmp);
        tickRunning_ = false;
        return;
    }
    const bool completed = support::guarded(p, CaptureTitle, CaptureWhere, [&] {
        countShot(generation, result);
        // Cancelled while a box of the shot was open: this tick is no longer the run's.
        if (generation == generation_)
            testEnd();
    });
    endTick(completed, generation);
}

void CaptureSession::countShot(quint64 generation, const ShotResult &result)
{
    if (!result.error.isEmpty()) {
        Q_EMIT shotFailed(CaptureTitle + QStringLiteral("\r\n") + result.error);
        throw support::ProcError{result.error};
    }
    if (result.jpgAns != 0) {
        const QString text =
            QStringLiteral("JPEG変換エラー\r\nNo.=") + QString::number(result.jpgAns);
        Q_EMIT shotFailed(text);
        p.messageBox.show(text, platform::MsgIcon::Critical);
        mdlCommon::Sub_ErrLog(p, CaptureWhere + QStringLiteral("JPEG変換エラー (JpgAns=") +
                                     QString::number(result.jpgAns) + QLatin1Char(')'));
        if (generation != generation_)
            return;
    }
    const QString next = Fun_NextTime(run_.NextTime);
    if (generation != generation_)
        return;
    run_.NextTime = next;
    if (run_.CapCount == std::numeric_limits<qint16>::max())
        throw support::ProcError{QStringLiteral("撮影数が 32767 を超えます")};
    ++run_.CapCount;
    Q_EMIT shotCounted(run_.CapCount);
}

void CaptureSession::testEnd()
{
    if (endMayBeTested(run_.StartTime, run_.EndTime, run_.NowTime))
        run_.EndFlag = 1;
    if (run_.EndFlag == 1 && run_.NowTime >= run_.EndTime)
        endOfRun();
}

void CaptureSession::endTick(bool completed, quint64 generation)
{
    // A halted run stays armed; only a run cancelled or re-armed inside the error
    // box keeps its own timers.
    if (!completed && generation == generation_)
        CapTimer->stop();
    tickRunning_ = false;
}

void CaptureSession::endOfRun()
{
    CapTimer->stop();
    armed_ = false;
    Q_EMIT armedChanged(false);
    const quint64 generation = generation_;
    Q_EMIT runEnded(run_.CapCount);
    Q_EMIT endActionRequested(settings_.endAction, run_.CapCount);
    // Armed again while the end message was open: the counters belong to the new run.
    if (generation != generation_)
        return;
    run_.CapCount = 0;
    run_.EndFlag = 0;
}

QString CaptureSession::Fun_NextTime(const QString &t)
{
    QString next;
    support::guarded(p, QStringLiteral("キャプチャ時間取得エラー"),
                     QStringLiteral("[frmMain]-[Fun_NextTime] "),
                     [&] { next = addMinutes(t, run_.StepTime); });
    return next;
}

} // namespace capture
