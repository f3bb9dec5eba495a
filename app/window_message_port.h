// Message boxes and caption reports of the arithmetic, shown by the window:
// a real QMessageBox ("错误提示" with the warning icon, or a plain box with the
// main window's caption) and the caption of the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "bignum/message_port.h"

class WindowMessagePort : public MessagePort {
public:
    explicit WindowMessagePort(QWidget* window) : window_(window) {}

    void showMessage(const std::string& text, MessageStyle style) override;
    void setCaption(const std::string& text) override;

private:
    QPointer<QWidget> window_;
};
