// The file menu: Save appends Text1 to the daily log, Save as appends it to a
// chosen file, Open inserts a stored text (memory-file layout) at the caret.
#include <QFileDialog>

#include "app/daily_log.h"
#include "app/data_dir.h"
#include "app/expression_box.h"
#include "app/main_window.h"
#include "bignum/message_port.h"
#include "app/stored_text_file.h"

namespace {

const char* const kTextFilter = "Text Files(*.txt)";
const char* const kAllFilter = "All Files (*.*)";

} // namespace

QString MainWindow::chooseOpenFile()
{
    if (openChooser_)
        return openChooser_();
    QFileDialog dialog(this, QStringLiteral("打开"), dataDirectory());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QString::fromUtf8(kAllFilter), QString::fromUtf8(kTextFilter)});
    dialog.selectNameFilter(QString::fromUtf8(kTextFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString MainWindow::chooseSaveFile()
{
    if (saveChooser_)
        return saveChooser_();
    QFileDialog dialog(this, QStringLiteral("另存为"), dataDirectory());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QString::fromUtf8(kTextFilter)});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    // The block is appended to the file, so choosing an existing one
    // overwrites nothing.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void MainWindow::saveToDailyLog() { dailyLog_.append(text1_->text(), DailyLog::Reporting::EveryFailure); }

void MainWindow::saveAs()
{
    const QString path = chooseSaveFile();
    if (path.isEmpty())
        return;
    QString problem;
    if (!appendLogBlock(path, text1_->text(), &problem))
        showMessage(QStringLiteral("未能保存。%1").arg(problem).toStdString(), MessageStyle::Warning);
}

void MainWindow::openStoredText()
{
    const QString path = chooseOpenFile();
    if (path.isEmpty())
        return;
    const StoredTextRead read = readStoredTextFile(path);
    if (read.status == StoredTextStatus::Missing) {
        showMessage(QStringLiteral("找不到文件“%1”。").arg(path).toStdString(), MessageStyle::Warning);
        return;
    }
    if (read.status != StoredTextStatus::Ok) {
        showMessage(read.problem.toStdString(), MessageStyle::Warning);
        return;
    }
    const int p = text1_->selectionStart();
    text1_->replaceRange(p, 0, QString::fromStdString(read.text));
    // The caret stays in front of the inserted text.
    text1_->setCaret(p);
    updateEditActions();
    text1_->setFocus();
}
