// The help page shipped beside the executable (help/index.html), shown in a
// window of the program: F1 or "查看帮助(&H)" opens it.
#pragma once

#include <QDialog>

class QTextBrowser;

// The help file beside the executable.
QString helpFilePath();

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the page at path; loaded() tells whether it had any content.
    HelpWindow(const QString& path, QWidget* parent = nullptr);
    bool loaded() const { return loaded_; }

private:
    QTextBrowser* browser_;
    bool loaded_ = false;
};
