#include "app/keypad_editing.h"

#include "app/expression_box.h"
#include "app/keypad_keys.h"

void pressKeypadKey(ExpressionBox& box, int index)
{
    const KeypadKey* key = keypadKey(index);
    if (key == nullptr)
        return;
    const int p = box.selectionStart();
    if (key->caret == CaretRule::Negate) {
        box.replaceAll(QStringLiteral("-(") + box.text() + QStringLiteral(")"), p + 3);
    } else {
        box.replaceRange(p, 0, key->inserted);
        const int caret = key->caret == CaretRule::InsideBrackets ? p + key->inserted.indexOf(QLatin1Char('(')) + 1
                                                                  : p + key->inserted.size();
        box.setCaret(caret);
    }
    box.setFocus();
}

void clearExpression(ExpressionBox& box)
{
    box.replaceAll(QString(), 0);
    box.setFocus();
}

void backspaceExpression(ExpressionBox& box)
{
    const int p = box.selectionStart();
    const int n = box.selectionLength();
    if (n > 0) {
        box.replaceRange(p, n, QString());
        box.setCaret(p);
    } else if (p > 0) {
        // A character outside the basic plane is two UTF-16 units; never
        // leave half of one behind.
        const QString text = box.text();
        const int width = p >= 2 && text.at(p - 1).isLowSurrogate() && text.at(p - 2).isHighSurrogate() ? 2 : 1;
        box.replaceRange(p - width, width, QString());
        box.setCaret(p - width);
    }
    box.setFocus();
}

void reciprocalOfExpression(ExpressionBox& box)
{
    const QString text = box.text();
    if (!text.isEmpty()) {
        const int p = box.selectionStart();
        const int n = box.selectionLength();
        const QString wrapped = n == 0 ? QStringLiteral("1/(") + text + QStringLiteral(")")
                                       : text.left(p) + QStringLiteral("1/(") + text.mid(p, n) +
                                             QStringLiteral(")") + text.mid(p + n);
        box.replaceAll(wrapped, static_cast<int>(wrapped.size()));
    }
    box.setFocus();
}
