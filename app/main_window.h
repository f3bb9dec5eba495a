// The main window form1: the expression box Text1, the precision box text2,
// the keypad, the memories, the option check boxes and the menu bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "app/about_window.h"
#include "app/daily_log.h"
#include "expr/evaluation_run.h"
#include "app/help_window.h"
#include "app/keypad_panel.h"

class ExpressionBox;
class MemoryPanel;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QShortcut;
class QThread;
class QTimer;
class RunMessageRelay;

// The caption the window starts with; plain message boxes carry it too.
extern const char* const kWindowCaption;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    ExpressionBox* expressionBox() const { return text1_; }
    QLineEdit* precisionBox() const { return text2_; }

    // File choosers of Open and Save as: they return the chosen path, or an
    // empty text when the user cancels. Tests replace the dialogs here.
    using FileChooser = std::function<QString()>;
    void setOpenFileChooser(FileChooser chooser) { openChooser_ = std::move(chooser); }
    void setSaveFileChooser(FileChooser chooser) { saveChooser_ = std::move(chooser); }

    // Command2 "=": evaluates Text1 with the precision of text2 on a thread
    // of its own; returns at once. While it runs, "=" is the stop button and
    // nothing that edits Text1 or touches the arithmetic is enabled.
    void evaluate();
    bool isEvaluating() const { return runThread_ != nullptr; }
    // Asks the running evaluation to stop (the stop button, Esc).
    void stopEvaluation();

    // File menu.
    void saveToDailyLog();
    void openStoredText();
    void saveAs();
    // Edit menu.
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    void deleteSelection();
    void selectAllText();
    // Copies the result of the last successful run, every digit as shown.
    void copyResult();
    // Help menu.
    void showHelp();
    void showAbout();

    AboutWindow* aboutWindow() const { return about_; }
    HelpWindow* helpWindow() const { return help_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void pressCommand2();
    void finishEvaluation();
    void setEvaluating(bool running);
    void showBusy();
    // Ends a run the window can no longer wait for: stops it, drops its
    // reports and waits for the thread.
    void abandonEvaluation();
    // The arithmetic's switches follow the check boxes, but only between runs.
    void applyOptionFlags();
    void buildMenus();
    // cut1, copy1 and del1 are enabled exactly when Text1 has a selection.
    void updateEditActions();
    QString chooseOpenFile();
    QString chooseSaveFile();

    ExpressionBox* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QLabel* label4_ = nullptr;
    QPushButton* command2_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QCheckBox* check4_ = nullptr;
    MemoryPanel* memories_ = nullptr;
    KeypadGroups keypad_;
    QProgressBar* busyIndicator_ = nullptr;

    QAction* open1_ = nullptr;
    QAction* cut1_ = nullptr;
    QAction* copy1_ = nullptr;
    QAction* paste1_ = nullptr;
    QAction* del1_ = nullptr;
    QAction* copyResult_ = nullptr;

    // The run in progress, if any. The thread writes runResult_ and
    // runLogLine_; the window reads them once the thread has finished.
    QThread* runThread_ = nullptr;
    std::unique_ptr<RunMessageRelay> relay_;
    RunResult runResult_;
    std::string runLogLine_;
    QTimer* busyTimer_ = nullptr;
    bool busyCursor_ = false;
    QShortcut* stopShortcut_ = nullptr;
    QString lastResult_;

    DailyLog dailyLog_;
    QString helpFile_;
    QPointer<AboutWindow> about_;
    QPointer<HelpWindow> help_;
    FileChooser openChooser_;
    FileChooser saveChooser_;
};
