#include "app/help_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "bignum/exe_dir.h"

QString helpFilePath() { return QString::fromStdString(pathBesideExecutable("help/index.html")); }

HelpWindow::HelpWindow(const QString& path, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Velder高精度表达式计算器 帮助"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 600);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* buttons = new QDialogButtonBox(this);
    // Qt's own button text would be English; the window speaks Chinese.
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("helpClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);

    browser_->setSource(QUrl::fromLocalFile(path));
    loaded_ = !browser_->toPlainText().isEmpty();
}
