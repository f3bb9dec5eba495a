// Where the running program lives: the table files and libconvmul.so are
// looked up beside the executable, not in the current directory.
#pragma once

#include <string>

// Directory of the running executable, without a trailing slash (so the root
// directory is ""), ready for + "/" + file name; "." when the executable's
// path cannot be read.
std::string executableDirectory();

// executableDirectory() + "/" + fileName.
std::string pathBesideExecutable(const std::string& fileName);
