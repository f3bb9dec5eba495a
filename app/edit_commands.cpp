// The edit menu: it acts on Text1 only, never on the precision box.
#include <QAction>
#include <QApplication>
#include <QClipboard>

#include "app/expression_box.h"
#include "app/main_window.h"

void MainWindow::cutSelection()
{
    const int p = text1_->selectionStart();
    const int n = text1_->selectionLength();
    QApplication::clipboard()->setText(text1_->selectedPlainText());
    if (n > 0)
        text1_->replaceRange(p, n, QString());
    text1_->setCaret(p);
    updateEditActions();
    text1_->setFocus();
}

void MainWindow::copySelection() { QApplication::clipboard()->setText(text1_->selectedPlainText()); }

void MainWindow::pasteClipboard()
{
    const int p = text1_->selectionStart();
    const int n = text1_->selectionLength();
    text1_->replaceRange(p, n, QApplication::clipboard()->text());
    // The caret stays in front of the pasted text.
    text1_->setCaret(p);
    updateEditActions();
    text1_->setFocus();
}

void MainWindow::deleteSelection()
{
    const int p = text1_->selectionStart();
    const int n = text1_->selectionLength();
    if (n > 0)
        text1_->replaceRange(p, n, QString());
    text1_->setCaret(p);
    updateEditActions();
    text1_->setFocus();
}

void MainWindow::selectAllText()
{
    text1_->select(0, static_cast<int>(text1_->text().size()));
    updateEditActions();
}

void MainWindow::copyResult()
{
    if (!lastResult_.isEmpty())
        QApplication::clipboard()->setText(lastResult_);
}
