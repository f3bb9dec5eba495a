#include "app/run_message_relay.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

RunMessageRelay::RunMessageRelay(QObject* guiObject) : gui_(guiObject), previous_(&messagePort())
{
    setMessagePort(this);
}

RunMessageRelay::~RunMessageRelay()
{
    if (&messagePort() == this)
        setMessagePort(previous_);
}

void RunMessageRelay::showMessage(const std::string& text, MessageStyle style)
{
    relay([&](MessagePort& port) { port.showMessage(text, style); });
}

void RunMessageRelay::setCaption(const std::string& text)
{
    relay([&](MessagePort& port) { port.setCaption(text); });
}

void RunMessageRelay::relay(const std::function<void(MessagePort&)>& call)
{
    if (dropping_)
        return;
    if (QThread::currentThread() == gui_->thread()) {
        call(*previous_);
        return;
    }
    QMetaObject::invokeMethod(
        gui_,
        [this, &call] {
            if (!dropping_)
                call(*previous_);
        },
        Qt::BlockingQueuedConnection);
}
