// Command2 "=": the run itself is shared with quorra-cli (evaluation_run);
// the window adds the precision box write-back, the result line in Text1, the
// caret and focus, the auto save into the daily log, and keeps itself usable
// while the arithmetic works: the run goes to a thread of its own, "=" becomes
// the stop button, and a busy indicator shows once the run takes a while.
//
// The arithmetic keeps its state in globals made for one thread. So there is
// one run at a time, the window sets the flags before the thread starts and
// touches nothing of the arithmetic until it has finished: everything that
// would (editing Text1, the keypad, the memories, opening a file) is disabled.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QThread>
#include <QTimer>

#include "expr/evaluation_run.h"
#include "app/expression_box.h"
#include "app/main_window.h"
#include "app/memory_panel.h"
#include "bignum/message_port.h"
#include "app/run_message_relay.h"
#include "bignum/stop_request.h"

namespace {

const char* const kCancelledMessage = "计算已取消";

} // namespace

void MainWindow::pressCommand2()
{
    if (isEvaluating())
        stopEvaluation();
    else
        evaluate();
}

void MainWindow::evaluate()
{
    // Enter, the "=" key or the precision box during a run: nothing is queued.
    if (isEvaluating())
        return;
    const std::string precisionText = text2_->text().toStdString();
    bool capped = false;
    precisionFromText(precisionText, &capped);
    if (capped)
        text2_->setText(QStringLiteral("10000"));

    applyOptionFlags();
    const bool autoSave = check4_->isChecked();
    const std::string expression = text1_->text().toStdString();
    runResult_ = RunResult{};
    runLogLine_.clear();
    // A stop pressed just as the previous run ended must not end this one.
    clearStopRequest();
    relay_ = std::make_unique<RunMessageRelay>(this);

    runThread_ = QThread::create([this, expression, precisionText, autoSave] {
        AutoSaveHook hook;
        if (autoSave)
            hook = [this](const std::string& line) { runLogLine_ = line; };
        runResult_ = evaluationRun(expression, precisionText, hook);
    });
    runThread_->setObjectName(QStringLiteral("evaluation"));
    connect(runThread_, &QThread::finished, this, &MainWindow::finishEvaluation);
    setEvaluating(true);
    runThread_->start();
}

void MainWindow::stopEvaluation()
{
    if (isEvaluating())
        requestStop();
}

void MainWindow::finishEvaluation()
{
    if (runThread_ == nullptr)
        return;
    runThread_->wait();
    delete runThread_;
    runThread_ = nullptr;
    relay_.reset();
    setEvaluating(false);
    applyOptionFlags(); // a box ticked during the run

    const RunResult run = std::move(runResult_);
    if (!runLogLine_.empty())
        dailyLog_.append(QString::fromStdString(runLogLine_), DailyLog::Reporting::OncePerOutage);
    runLogLine_.clear();
    if (run.ok) {
        text1_->replaceAll(QString::fromStdString(run.resultLine()), 0);
        lastResult_ = QString::fromStdString(run.resultText);
        updateEditActions();
    }
    text1_->showEnd();
    text1_->setFocus();
    if (run.stopped)
        showMessage(kCancelledMessage, MessageStyle::Plain);
}

void MainWindow::setEvaluating(bool running)
{
    text1_->setReadOnly(running);
    for (QWidget* group : {static_cast<QWidget*>(keypad_.elementary), static_cast<QWidget*>(keypad_.trigonometric),
                           static_cast<QWidget*>(keypad_.hyperbolic), static_cast<QWidget*>(memories_)})
        group->setEnabled(!running);
    // "=" sits among the digit keys and stays usable as the stop button.
    for (QPushButton* key : keypad_.numbers->findChildren<QPushButton*>())
        if (key != command2_)
            key->setEnabled(!running);
    command2_->setText(running ? QStringLiteral("停止") : QStringLiteral("="));
    command2_->setToolTip(running ? QStringLiteral("停止计算（Esc）") : QStringLiteral("计算（回车或“=”键）"));
    stopShortcut_->setEnabled(running);
    updateEditActions();

    if (running) {
        busyTimer_->start();
        return;
    }
    busyTimer_->stop();
    busyIndicator_->hide();
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
}

void MainWindow::showBusy()
{
    if (!isEvaluating())
        return;
    busyIndicator_->show();
    // The pointer says "working" but still clicks: the stop button must work.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    busyCursor_ = true;
}

void MainWindow::abandonEvaluation()
{
    if (runThread_ == nullptr)
        return;
    disconnect(runThread_, nullptr, this, nullptr);
    relay_->dropReports();
    requestStop();
    // The thread may already be waiting for a report to be shown; let it
    // through (the relay drops it) until the thread has ended.
    while (!runThread_->wait(QDeadlineTimer(20)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    delete runThread_;
    runThread_ = nullptr;
    relay_.reset();
    clearStopRequest();
    setEvaluating(false);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    abandonEvaluation();
    QMainWindow::closeEvent(event);
}
