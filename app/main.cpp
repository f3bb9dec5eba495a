// quorra: the desktop calculator window.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/main_window.h"
#include "quorra_version.h"
#include "expr/startup.h"
#include "app/window_message_port.h"
#include "app/window_settings.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorra"));
    QApplication::setApplicationVersion(QString::fromLatin1(kQuorraVersion));
    // Ties the window to quorra.desktop (its icon and name on Wayland).
    QApplication::setDesktopFileName(QStringLiteral("quorra"));
    // Without a configured locale (LANG=C) dates would come out as
    // "7 Dec 2026"; the daily log is named by the short date of a Chinese
    // system, "2026/12/7" with "-" for "/".
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // The window speaks Chinese whatever the locale, and so should Qt's own
    // parts of it (file dialogs, the text box's context menu). Without the
    // translation files they stay in English.
    QTranslator qtChinese;
    if (qtChinese.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtChinese);

    MainWindow window;
    WindowMessagePort port(&window);
    setMessagePort(&port);
    // Flags, constants and digit tables, once, before the window is shown; a
    // missing table file is reported in a box of its own.
    startUp();
    restoreWindowPlacement(window);
    window.show();
    const int status = app.exec();
    saveWindowPlacement(window);
    setMessagePort(nullptr);
    return status;
}
