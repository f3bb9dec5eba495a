// Where the window keeps the files it writes: the memory files and the daily
// log live beside the executable, unless QUORRA_DATA_DIR names another
// directory (the tests point it at a temporary one so that they never write
// into the build tree).
#pragma once

#include <QString>

// Directory without a trailing slash, read anew on every call.
QString dataDirectory();

// dataDirectory() + "/" + fileName.
QString dataFilePath(const QString& fileName);
