#include "app/data_dir.h"

#include <QDir>
#include <QStandardPaths>

#include "bignum/data_dir_rule.h"
#include "bignum/exe_dir.h"

QString userDataFolderOfWindow()
{
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A relative XDG_DATA_HOME is invalid under the XDG rules, but Qt 6.4
    // still returns it; the core's answer then keeps both programs in the
    // same folder.
    if (!QDir::isAbsolutePath(generic))
        return QString::fromStdString(userDataFolder());
    return QDir::cleanPath(generic + QStringLiteral("/quorra"));
}

QString dataDirectory()
{
    return QString::fromStdString(dataDirectoryFor(userDataFolderOfWindow().toStdString()));
}

QString dataFilePath(const QString& fileName) { return dataDirectory() + QLatin1Char('/') + fileName; }

void prepareDataDirectory()
{
    if (!dataDirectoryOverridden())
        QDir().mkpath(dataDirectory());
}

QString besideExecutablePath(const QString& fileName)
{
    return QString::fromStdString(pathBesideExecutable(fileName.toStdString()));
}
