#include "framework/ui/qt/DisplayLossWatch.h"

#include <QGuiApplication>
#include <QThread>

#include <xcb/xcb.h>

#include <atomic>
#include <utility>

namespace fw::ui {

namespace {

// The watch is made, used and destroyed on the event thread; any thread may
// log, and only compares its own id with the event thread's.
DisplayLossWatch* theWatch = nullptr;
std::atomic<Qt::HANDLE> watchingThread{nullptr};
std::atomic<QtMessageHandler> previousHandler{nullptr};

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (QThread::currentThreadId() == watchingThread.load())
        theWatch->messageLogged();
    previousHandler.load()(type, context, message);
}

} // namespace

DisplayLossWatch::DisplayLossWatch(std::function<void(const std::string& display)> onLost)
    : onLost_(std::move(onLost)), display_(qgetenv("DISPLAY").toStdString())
{
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        connection_ = x11->connection();
    if (!connection_)
        return;
    theWatch = this;
    watchingThread = QThread::currentThreadId();
    previousHandler = qInstallMessageHandler(onMessage);
}

DisplayLossWatch::~DisplayLossWatch()
{
    if (!connection_)
        return;
    qInstallMessageHandler(previousHandler.load());
    watchingThread = nullptr;
    theWatch = nullptr;
}

// Qt's warning that the connection broke, or another message logged once
// it has, is the first the framework hears of it.
void DisplayLossWatch::messageLogged()
{
    if (told_ || xcb_connection_has_error(connection_) == 0)
        return;
    told_ = true;
    onLost_(display_);
}

} // namespace fw::ui
