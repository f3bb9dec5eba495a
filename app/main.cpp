// quorra: the desktop calculator window.
#include <QApplication>

#include "main_window.h"
#include "startup.h"
#include "window_message_port.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorra"));

    MainWindow window;
    WindowMessagePort port(&window);
    setMessagePort(&port);
    // Flags, constants and digit tables, once, before the window is shown; a
    // missing table file is reported in a box of its own.
    startUp();
    window.show();
    const int status = app.exec();
    setMessagePort(nullptr);
    return status;
}
