// What the program does once before the first evaluation: the flags, the
// shared constants and regrouping tables, and the digit tables read from the
// files beside the executable.
#pragma once

#include <string>

// Start-up with the table files beside the executable.
void startUp();

// Start-up with the table files taken from `dir` (no trailing slash). A table
// file that is missing or shorter than its full length is reported once,
// naming the file; the digits it does not supply are marked unavailable, so
// the functions that need them refuse to compute instead of using zeros.
void startUpFrom(const std::string& dir);
