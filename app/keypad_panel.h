// The keypad as the user looks for it: digits and operators with the editing
// keys and "=", then the functions in three groups (elementary,
// trigonometric, hyperbolic). Buttons are named Command1_<index>, Command3,
// Command5 and Command6; the caller places the groups.
#pragma once

class ExpressionBox;
class QGroupBox;
class QPushButton;
class QWidget;

struct KeypadGroups {
    QGroupBox* numbers = nullptr;
    QGroupBox* elementary = nullptr;
    QGroupBox* trigonometric = nullptr;
    QGroupBox* hyperbolic = nullptr;
};

// Builds the keys, wires them to box, and puts equalsButton into the numbers
// group. The groups are children of parent.
KeypadGroups buildKeypad(ExpressionBox& box, QPushButton* equalsButton, QWidget* parent);
