// Where the window keeps the files it writes, the memory files and the daily
// log: beside the executable when that folder is writable (a build tree, a
// portable copy), otherwise in the user's data folder (~/.local/share/quorra),
// or in QUORRA_DATA_DIR when that is set (the tests point it at a temporary
// directory so that they never write into the build tree).
#pragma once

#include <QString>

// Directory without a trailing slash, read anew on every call.
QString dataDirectory();

// The user's data folder as Qt finds it (~/.local/share/quorra): where
// dataDirectory() points when the executable's folder is not writable.
QString userDataFolderOfWindow();

// dataDirectory() + "/" + fileName.
QString dataFilePath(const QString& fileName);

// Creates the user's data folder on first use, before a file is written
// there. A folder named by QUORRA_DATA_DIR is left as it is: a wrong name
// shows up as a failed write instead of a stray directory.
void prepareDataDirectory();

// fileName beside the executable: where the memory files lived before the
// program was installed, and where an earlier version left them.
QString besideExecutablePath(const QString& fileName);
