// Command2 "=": the run itself is shared with quorra-cli (evaluation_run);
// the window adds the precision box write-back, the result line in Text1, the
// caret and focus, the busy cursor and the auto save into the daily log.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include "evaluation_run.h"
#include "expression_box.h"
#include "main_window.h"

namespace {

// The evaluation blocks the window; the pointer says so until it returns.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void MainWindow::evaluate()
{
    const std::string precisionText = text2_->text().toStdString();
    bool capped = false;
    precisionFromText(precisionText, &capped);
    if (capped)
        text2_->setText(QStringLiteral("10000"));

    AutoSaveHook autoSave;
    if (check4_->isChecked())
        autoSave = [this](const std::string& line) {
            dailyLog_.append(QString::fromStdString(line), DailyLog::Reporting::OncePerOutage);
        };

    RunResult run;
    {
        BusyCursor busy;
        run = evaluationRun(text1_->text().toStdString(), precisionText, autoSave);
    }
    if (run.ok) {
        text1_->replaceAll(QString::fromStdString(run.resultLine()), 0);
        lastResult_ = QString::fromStdString(run.resultText);
        updateEditActions();
    }
    text1_->showEnd();
    text1_->setFocus();
}
