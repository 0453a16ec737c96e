// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/x11/X11Capture.h"
#include "platform/grab/x11/X11Session.h"

#include <X11/Xutil.h>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <pthread.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

namespace platform
{

namespace
{

// Xlib's default error handler ends the process and Qt's swallows everything,
// so each request that may fail runs with this one in place.
class ErrorTrap
{
public:
    ErrorTrap() : previous_(XSetErrorHandler(&ErrorTrap::handler)) { code_ = 0; }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    bool failed(Display *d) const
    {
        XSync(d, False);
        return code_ != 0;
    }

private:
    static int handler(Display *, XErrorEvent *e)
    {
        code_ = e->error_code;
        return 0;
    }
    static inline int code_ = 0;
    XErrorHandler previous_;
};

XIOErrorHandler previousIoHandler = nullptr;
// Static initialisation runs on the main thread, the one that runs the window.
const pthread_t mainThread = pthread_self();

// The connection to the X server broke. Xlib ends the process when this returns,
// which on the grab's worker thread would leave the window no chance to save
// the settings: the program is asked to end as on a hang-up instead (the GUI
// thread saves and exits) and this thread waits for that.
int connectionLost(Display *display)
{
    if (!pthread_equal(pthread_self(), mainThread)) {
        ::kill(::getpid(), SIGHUP);
        for (;;)
            ::pause();
    }
    return previousIoHandler ? previousIoHandler(display) : 0;
}

} // namespace

X11Capture::~X11Capture()
{
    if (!display_)
        return;
    detachShm();
    if (plainImage_)
        XDestroyImage(plainImage_);
    XCloseDisplay(display_);
}

QString X11Capture::connect()
{
    const char *name = std::getenv("DISPLAY");
    if (!name || !*name)
        return x11Failure(QStringLiteral("X11 ディスプレイがありません (DISPLAY が未設定)"));
    static std::once_flag once;
    std::call_once(once, [] { previousIoHandler = XSetIOErrorHandler(&connectionLost); });
    display_ = XOpenDisplay(name);
    if (!display_)
        return x11Failure(QStringLiteral("X11 ディスプレイ %1 に接続できません")
                              .arg(QString::fromLocal8Bit(name)));
    if (serverIsXwayland(display_)) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return x11Failure(QStringLiteral("Xwayland では Wayland の画面を取り込めません "
                                         "(wlr-screencopy かデスクトップポータルを使います)"));
    }
    root_ = DefaultRootWindow(display_);
    shmUsable_ = XShmQueryExtension(display_);
    return {};
}

bool X11Capture::attachShm(const XWindowAttributes &wa)
{
    shmImage_ = XShmCreateImage(display_, wa.visual, unsigned(wa.depth), ZPixmap, nullptr, &shm_,
                                unsigned(wa.width), unsigned(wa.height));
    if (!shmImage_)
        return false;
    shm_.shmid = shmget(IPC_PRIVATE, std::size_t(shmImage_->bytes_per_line) * unsigned(wa.height),
                        IPC_CREAT | 0600);
    shm_.shmaddr = shm_.shmid < 0 ? reinterpret_cast<char *>(-1)
                                  : static_cast<char *>(shmat(shm_.shmid, nullptr, 0));
    bool attached = false;
    if (shm_.shmaddr != reinterpret_cast<char *>(-1)) {
        shmImage_->data = shm_.shmaddr;
        shm_.readOnly = False;
        ErrorTrap trap;
        // A server that cannot reach our segment (remote, other IPC namespace) refuses here.
        attached = XShmAttach(display_, &shm_) && !trap.failed(display_);
    }
    if (shm_.shmid >= 0)
        shmctl(shm_.shmid, IPC_RMID, nullptr); // freed once both sides detach
    if (!attached) {
        if (shm_.shmaddr != reinterpret_cast<char *>(-1))
            shmdt(shm_.shmaddr);
        shmImage_->data = nullptr;
        XDestroyImage(shmImage_);
        shmImage_ = nullptr;
    }
    return attached;
}

void X11Capture::detachShm()
{
    if (!shmImage_)
        return;
    XShmDetach(display_, &shm_);
    XSync(display_, False);
    shmdt(shm_.shmaddr);
    shmImage_->data = nullptr; // the segment is not Xlib's to free
    XDestroyImage(shmImage_);
    shmImage_ = nullptr;
}

XImage *X11Capture::grab(QString *error)
{
    if (!display_) {
        *error = connect();
        if (!display_)
            return nullptr;
    }
    XWindowAttributes wa;
    if (!XGetWindowAttributes(display_, root_, &wa) || wa.width <= 0 || wa.height <= 0) {
        *error = x11Failure(QStringLiteral("ルートウィンドウの大きさがわかりません"));
        return nullptr;
    }
    if (wa.visual->c_class != TrueColor) {
        *error = x11Failure(
            QStringLiteral("対応していない画面の色の形式です (%1 ビット)").arg(wa.depth));
        return nullptr;
    }
    // The desktop may have been resized (a monitor added, xrandr): a new segment then.
    if (shmImage_ && (shmImage_->width != wa.width || shmImage_->height != wa.height))
        detachShm();
    if (shmUsable_ && !shmImage_ && !attachShm(wa))
        shmUsable_ = false;
    if (shmImage_) {
        ErrorTrap trap;
        if (XShmGetImage(display_, root_, shmImage_, 0, 0, AllPlanes) && !trap.failed(display_))
            return shmImage_;
    }
    if (plainImage_)
        XDestroyImage(plainImage_);
    ErrorTrap trap;
    plainImage_ = XGetImage(display_, root_, 0, 0, unsigned(wa.width), unsigned(wa.height),
                            AllPlanes, ZPixmap);
    if (!plainImage_ || trap.failed(display_)) {
        *error = x11Failure(QStringLiteral("X11 の画面イメージを取得できません"));
        return nullptr;
    }
    return plainImage_;
}

} // namespace platform
