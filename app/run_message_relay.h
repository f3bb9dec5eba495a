// While "=" evaluates on its own thread, the arithmetic's messages and caption
// reports still have to appear on the window's thread, which owns every
// widget. For the length of a run the relay stands in as the message port:
// each call is handed to the port it replaced, on the window's thread, and
// the evaluation waits until it is done, so a message box still holds the
// computation until it is closed, and reports arrive in their order.
#pragma once


#include <atomic>
#include <functional>

#include "bignum/message_port.h"

class QObject;

class RunMessageRelay : public MessagePort {
public:
    // Installs the relay in front of the current port; guiObject lives on the
    // thread that shows messages.
    explicit RunMessageRelay(QObject* guiObject);
    // Puts the replaced port back, unless someone has installed another since.
    ~RunMessageRelay() override;
    RunMessageRelay(const RunMessageRelay&) = delete;
    RunMessageRelay& operator=(const RunMessageRelay&) = delete;

    void showMessage(const std::string& text, MessageStyle style) override;
    void setCaption(const std::string& text) override;

    // The window is going away: from now on reports are dropped instead of
    // shown, so that a run being abandoned cannot wait for a dead window.
    void dropReports() { dropping_ = true; }

private:
    void relay(const std::function<void(MessagePort&)>& call);

    QObject* gui_; // outlives the relay: the window ends the run before it goes
    MessagePort* previous_;
    std::atomic<bool> dropping_{false};
};
