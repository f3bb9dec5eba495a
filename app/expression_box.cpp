#include "app/expression_box.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextOption>

#include <algorithm>

ExpressionBox::ExpressionBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Text1"));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A result is one long word of digits; it must wrap inside the word.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    // A long text is laid out after it is set, and the scroll bar that then
    // appears narrows the box, which wraps the text into more lines: the
    // range grows after showEnd has scrolled. Until the user takes over
    // (mouse, wheel, keys), every new range scrolls to the end again.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        if (followEnd_)
            scrollToEnd();
    });
}

int ExpressionBox::selectionStart() const { return textCursor().selectionStart(); }

int ExpressionBox::selectionLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString ExpressionBox::selectedPlainText() const { return text().mid(selectionStart(), selectionLength()); }

void ExpressionBox::setCaret(int pos)
{
    QTextCursor c = textCursor();
    const int end = document()->characterCount() - 1;
    c.setPosition(std::clamp(pos, 0, std::max(end, 0)));
    setTextCursor(c);
}

void ExpressionBox::select(int start, int length)
{
    const int end = std::max(document()->characterCount() - 1, 0);
    start = std::clamp(start, 0, end);
    QTextCursor c = textCursor();
    c.setPosition(start);
    c.setPosition(std::clamp(start + length, start, end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void ExpressionBox::replaceRange(int start, int length, const QString& text)
{
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    c.insertText(text);
}

void ExpressionBox::replaceAll(const QString& text, int caret)
{
    QTextCursor c(document());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.insertText(text);
    c.endEditBlock();
    setCaret(caret);
}

void ExpressionBox::showEnd()
{
    setCaret(static_cast<int>(text().size()));
    followEnd_ = true;
    scrollToEnd();
}

void ExpressionBox::scrollToEnd()
{
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ExpressionBox::mousePressEvent(QMouseEvent* event)
{
    followEnd_ = false;
    QPlainTextEdit::mousePressEvent(event);
}

void ExpressionBox::wheelEvent(QWheelEvent* event)
{
    followEnd_ = false;
    QPlainTextEdit::wheelEvent(event);
}

void ExpressionBox::keyPressEvent(QKeyEvent* event)
{
    followEnd_ = false;
    // Read-only while "=" runs: Enter, Shift+Enter and "=" must not act
    // either; the base class still lets the user move and select.
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers().testFlag(Qt::ShiftModifier)) {
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (enter && plain) {
        emit evaluateRequested();
        return;
    }
    if (plain && event->text() == QStringLiteral("=")) {
        emit equalsKeyPressed();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ExpressionBox::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    emit mouseReleased();
}
