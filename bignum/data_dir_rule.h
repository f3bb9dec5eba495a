// Where the programs keep the files they write (the memory files and the
// daily log). A build tree or a portable copy keeps them beside the
// executable, as it always did; an installed program, whose folder the user
// cannot write, keeps them in the user's data folder instead. The window and
// quorra-cli follow this one rule; the window only asks Qt for the user's data
// folder.
#pragma once

#include <string>

// The environment variable that names the data folder outright (the tests
// point it at a temporary directory). It is used as given, never created.
inline constexpr const char* kDataDirVariable = "QUORRA_DATA_DIR";

// Whether this process may create files in dir: the kernel's own answer
// (access with W_OK), so read-only mounts, permission bits and ACLs all count.
bool directoryWritable(const std::string& dir);

// The user's data folder for Quorra under the XDG rules: $XDG_DATA_HOME/quorra
// when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/quorra; ""
// when neither is known.
std::string userDataFolder();

// $QUORRA_DATA_DIR when set and not empty; else the executable's folder when
// it is writable; else userFolder. No trailing slash.
std::string dataDirectoryFor(const std::string& userFolder);

// True when the data folder comes from QUORRA_DATA_DIR.
bool dataDirectoryOverridden();
