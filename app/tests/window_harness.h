// What the window tests share: the core started once, and per test a fresh
// main window, shown and active, whose files go to a temporary directory and
// whose message boxes are recorded instead of shown.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "app/main_window.h"
#include "tests/support/reference.h"

class ExpressionBox;
class QAbstractButton;

// startUp() with the table files beside the test executable, once per process.
void startCoreForWindowTests();

class WindowHarness {
public:
    WindowHarness();
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    MainWindow& window() { return *window_; }
    ExpressionBox& box();
    RecordingPort& port() { return port_; }
    QString dataDir() const { return dir_.path(); }
    QString dataPath(const QString& fileName) const { return dir_.filePath(fileName); }

    // The child widget or action of the main window with that object name;
    // fails the test (returns nullptr) when there is none.
    template <typename T>
    T* find(const QString& name)
    {
        return window_->findChild<T*>(name);
    }

    // A real mouse click on the named button; when it starts a run, returns
    // once the run has ended.
    void click(const QString& buttonName);
    // Returns once no evaluation runs (fails the test after a long wait).
    void waitForRun();
    // A new main window on the same data folder, the memories as a fresh
    // start finds them.
    void restart();
    // Text1 holds text with the caret at caret (and length characters
    // selected from there).
    void setText(const QString& text, int caret, int length = 0);
    // Gives the precision box the focus, so that a key's focus hand-back shows.
    void focusPrecisionBox();
    bool text1HasFocus();

private:
    QTemporaryDir dir_;
    QByteArray previousDataDir_;
    RecordingPort port_;
    std::unique_ptr<MainWindow> window_;
};

QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);
