// The one way the arithmetic talks to the user: a message box (text and style)
// and the window caption. The window, quorra-cli and the tests each plug in
// their own port; without one, messages go to stderr.
#pragma once

#include <string>

enum class MessageStyle {
    Plain,   // plain box with the application's default title
    Warning, // titled "错误提示" with the warning icon
};

class MessagePort {
public:
    virtual ~MessagePort() = default;
    virtual void showMessage(const std::string& text, MessageStyle style) = 0;
    virtual void setCaption(const std::string& text) = 0;
};

// Writes messages and captions to stderr, one line each.
class StderrMessagePort : public MessagePort {
public:
    void showMessage(const std::string& text, MessageStyle style) override;
    void setCaption(const std::string& text) override;
};

// Installs port (not owned) as the receiver; nullptr restores the stderr port.
void setMessagePort(MessagePort* port);
MessagePort& messagePort();

// Text of the "错误提示" title and of the caption prefix, shared by the ports.
extern const char* const kErrorTitle;
extern const char* const kCaptionPrefix;

void showMessage(const std::string& text, MessageStyle style);
void setCaption(const std::string& text);
