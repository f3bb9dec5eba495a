#include "bignum/message_port.h"

#include <cstdio>

const char* const kErrorTitle = "错误提示";
const char* const kCaptionPrefix = "Velder高精度表达式计算器 ";

namespace {
StderrMessagePort stderrPort;
MessagePort* currentPort = &stderrPort;
} // namespace

void StderrMessagePort::showMessage(const std::string& text, MessageStyle style)
{
    if (style == MessageStyle::Warning)
        std::fprintf(stderr, "%s: %s\n", kErrorTitle, text.c_str());
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

void StderrMessagePort::setCaption(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

void setMessagePort(MessagePort* port) { currentPort = port ? port : &stderrPort; }

MessagePort& messagePort() { return *currentPort; }

void showMessage(const std::string& text, MessageStyle style) { currentPort->showMessage(text, style); }

void setCaption(const std::string& text) { currentPort->setCaption(text); }
