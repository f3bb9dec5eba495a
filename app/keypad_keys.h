// The on-screen keys Command1: what each index shows, explains and inserts.
// Functions go in as a name with an empty pair of brackets, the caret inside;
// √, ! and the angle marks are postfix and go in bare.
#pragma once

#include <QString>

#include <vector>

enum class CaretRule {
    Behind,         // caret right behind the inserted text
    InsideBrackets, // caret right behind the opening bracket
    Negate,         // "±": the whole text becomes -(text), caret at old caret + 3
};

struct KeypadKey {
    int index;
    QString caption;
    QString toolTip; // empty: no tool tip
    QString inserted;
    CaretRule caret;
};

// Every Command1 index that exists, in index order.
const std::vector<KeypadKey>& keypadKeys();

// The key of an index, or nullptr for an index without a button.
const KeypadKey* keypadKey(int index);
