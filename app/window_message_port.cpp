#include "app/window_message_port.h"

#include <QApplication>
#include <QMessageBox>

#include "app/main_window.h"

void WindowMessagePort::showMessage(const std::string& text, MessageStyle style)
{
    const bool warning = style == MessageStyle::Warning;
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    warning ? QString::fromUtf8(kErrorTitle) : QString::fromUtf8(kWindowCaption),
                    QString::fromStdString(text), QMessageBox::NoButton, window_);
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    // A message arrives in the middle of an evaluation, under its busy
    // cursor; the box itself must take clicks with the normal pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
}

void WindowMessagePort::setCaption(const std::string& text)
{
    if (window_ != nullptr)
        window_->setWindowTitle(QString::fromStdString(text));
}
