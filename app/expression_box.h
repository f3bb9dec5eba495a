// The expression box Text1: a multi-line box that wraps anywhere, so that a
// result of ten thousand digits can be read and selected. Enter evaluates;
// Shift+Enter breaks the line. The keypad, the memories and the menus edit it
// through the position helpers below, which count characters of the plain
// text (a line break is one character). The "=" key presses the "=" button:
// the expression language has no use for the character.
#pragma once

#include <QPlainTextEdit>

class ExpressionBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ExpressionBox(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    // Start of the selection, or the caret when nothing is selected.
    int selectionStart() const;
    int selectionLength() const;
    QString selectedPlainText() const;

    // Puts the caret at pos (clamped to the text), dropping any selection.
    void setCaret(int pos);
    void select(int start, int length);
    // Replaces length characters at start by text, as one undo step.
    void replaceRange(int start, int length, const QString& text);
    // Replaces the whole text, as one undo step, and puts the caret at caret.
    void replaceAll(const QString& text, int caret);
    // Puts the caret at the end and keeps the end in view until the text has
    // been laid out.
    void showEnd();

signals:
    void evaluateRequested();
    void equalsKeyPressed();
    void mouseReleased();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void scrollToEnd();
    bool followEnd_ = false;
};
