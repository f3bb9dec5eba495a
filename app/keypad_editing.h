// What the keypad and the editing keys do to the expression box. Every key
// acts on Text1, whichever box had the focus, and hands the focus back to it.
#pragma once

class ExpressionBox;

// Command1: inserts the key's text in front of the caret or selection (a
// selection is never replaced); "±" wraps the whole text in -( ).
void pressKeypadKey(ExpressionBox& box, int index);

// Command3 "c": empties the box.
void clearExpression(ExpressionBox& box);

// Command5 "←": removes the selection, or the character before the caret.
void backspaceExpression(ExpressionBox& box);

// Command6 "1/x": wraps the selection, or the whole text, in 1/( ); the caret
// goes to the end. On an empty box it only gives the focus.
void reciprocalOfExpression(ExpressionBox& box);
