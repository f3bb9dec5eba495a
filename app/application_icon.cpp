#include "app/application_icon.h"

#include <QString>

QIcon applicationIcon()
{
    // Drawing an SVG needs Qt's SVG plugin (libqt6svg6); without it the icon
    // is null and the window keeps the window system's default.
    return QIcon::fromTheme(QStringLiteral("quorra"), QIcon(QStringLiteral(":/icons/quorra.svg")));
}
