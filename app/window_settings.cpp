#include "app/window_settings.h"

#include <QByteArray>
#include <QSettings>
#include <QWidget>

namespace {

const char* const kPlacementKey = "window/geometry";

QSettings windowSettings() { return QSettings(QStringLiteral("quorra"), QStringLiteral("quorra")); }

} // namespace

void restoreWindowPlacement(QWidget& window)
{
    // restoreGeometry() itself moves a window that would lie off every
    // screen back onto one.
    const QByteArray stored = windowSettings().value(QLatin1String(kPlacementKey)).toByteArray();
    if (!stored.isEmpty())
        window.restoreGeometry(stored);
}

void saveWindowPlacement(const QWidget& window)
{
    QSettings settings = windowSettings();
    settings.setValue(QLatin1String(kPlacementKey), window.saveGeometry());
    settings.sync();
}
