// The memories A-J and their files in the data folder (data_dir.h): "AAA.txt"
// .. "JJJ.txt", memory E written X everywhere, so its file is "XXX.txt".
// Indices are the button indices 1 to 10.
#pragma once

#include <QString>

#include <string>

constexpr int kMemoryCount = 10;

// "A" .. "J" with X for the fifth memory.
QString memoryLetter(int index);
// "AAA.txt" .. "JJJ.txt", "XXX.txt" for the fifth.
QString memoryFileName(int index);
QString memoryFilePath(int index);

// Writes the memory file from text. An empty text leaves the file as it was.
// A failure (too long, not writable) is reported through the message port and
// leaves the old file whole; returns false then.
bool myMemorySave(int index, const std::string& text);

// Reads the memory file into memoryText (from beside the executable when the
// data folder has none): a missing file or a length of 0
// gives "0". A damaged or unreadable file is reported through the message
// port and leaves memoryText as it was; returns false then.
bool myMemoryLoad(int index);

// At start-up: every memory whose file reads as a button press would read it
// takes its text, so typed letters work from the first "=". A missing or
// damaged file leaves its memory untouched, and nothing is reported: the
// button reports it when it is pressed.
void loadMemoriesAtStart();
