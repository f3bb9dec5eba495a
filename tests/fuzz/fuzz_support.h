// What the fuzz targets share: the core started once per process, a message
// port that only counts, and a check that stops the process on a broken
// invariant (libFuzzer and the replay both report the input that did it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "bignum/message_port.h"

// Starts the core once (tables beside the executable) and installs the
// counting port.
void startCoreForFuzzing();

// Messages shown since the last resetMessageCount().
int messageCount();
void resetMessageCount();

// Prints what broke and aborts when condition is false.
void fuzzCheck(bool condition, const char* what);

// The libFuzzer entry point every target defines.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
