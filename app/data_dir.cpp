#include "data_dir.h"

#include <QtGlobal>

#include "exe_dir.h"

QString dataDirectory()
{
    QString dir = qEnvironmentVariable("QUORRA_DATA_DIR");
    if (dir.isEmpty())
        dir = QString::fromStdString(executableDirectory());
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString dataFilePath(const QString& fileName) { return dataDirectory() + QLatin1Char('/') + fileName; }
