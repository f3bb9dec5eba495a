// The menu bar of form1 and the help and About commands. Item names and
// captions (access keys included) are the window's design.
#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/about_window.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "bignum/message_port.h"

namespace {

QAction* item(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void separator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); }

QMenu* topMenu(QMenuBar* bar, const char* name, const char* caption)
{
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file1 = topMenu(bar, "file1", "文件(&F)");
    connect(item(file1, "save1", "保存(&S)"), &QAction::triggered, this, &MainWindow::saveToDailyLog);
    open1_ = item(file1, "open1", "打开(&O)");
    connect(open1_, &QAction::triggered, this, &MainWindow::openStoredText);
    connect(item(file1, "saveas", "另存为(&A)"), &QAction::triggered, this, &MainWindow::saveAs);
    separator(file1, "ljf2");
    connect(item(file1, "quit1", "退出(&X)"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit1 = topMenu(bar, "edit1", "编缉(&E)");
    cut1_ = item(edit1, "cut1", "剪切(&T)");
    copy1_ = item(edit1, "copy1", "复制(&C)");
    // The result alone, without the expression: a selection by hand of a
    // long result misses its end or takes the expression along.
    copyResult_ = item(edit1, "copyResult", "复制结果");
    copyResult_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    paste1_ = item(edit1, "paste1", "粘贴(&P)");
    del1_ = item(edit1, "del1", "删除(&L)");
    separator(edit1, "ljf3");
    QAction* all1 = item(edit1, "all1", "全选(&A)");
    connect(cut1_, &QAction::triggered, this, &MainWindow::cutSelection);
    connect(copy1_, &QAction::triggered, this, &MainWindow::copySelection);
    connect(copyResult_, &QAction::triggered, this, &MainWindow::copyResult);
    connect(paste1_, &QAction::triggered, this, &MainWindow::pasteClipboard);
    connect(del1_, &QAction::triggered, this, &MainWindow::deleteSelection);
    connect(all1, &QAction::triggered, this, &MainWindow::selectAllText);

    QMenu* help1 = topMenu(bar, "help1", "帮助(&H)");
    QAction* view1 = item(help1, "view1", "查看帮助(&H)");
    view1->setShortcut(QKeySequence(Qt::Key_F1));
    view1->setShortcutContext(Qt::ApplicationShortcut);
    connect(view1, &QAction::triggered, this, &MainWindow::showHelp);
    separator(help1, "ljf4");
    connect(item(help1, "About1", "关于(&A)"), &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::showHelp()
{
    if (!QFileInfo(helpFile_).isReadable()) {
        showMessage(QStringLiteral("找不到帮助文件“%1”。").arg(helpFile_).toStdString(), MessageStyle::Warning);
        return;
    }
    if (help_ == nullptr)
        help_ = new HelpWindow(helpFile_, this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::showAbout()
{
    // Its OK button discards the window; the next showing builds it anew.
    if (about_ == nullptr)
        about_ = new AboutWindow(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}
