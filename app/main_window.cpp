#include "app/main_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/about_window.h"
#include "app/application_icon.h"
#include "app/expression_box.h"
#include "bignum/globals.h"
#include "app/help_window.h"
#include "app/keypad_panel.h"
#include "app/memory_panel.h"
#include "app/run_message_relay.h"

const char* const kWindowCaption = "Velder高精度表达式计算机";

namespace {

// A run shorter than this finishes without the busy indicator flickering up.
constexpr int kBusyIndicatorDelayMs = 300;

QCheckBox* optionBox(const char* name, const char* caption, const char* toolTip, bool ticked, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromUtf8(toolTip));
    box->setChecked(ticked);
    return box;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(applicationIcon());
    helpFile_ = helpFilePath();
    buildControls();
    buildMenus();
    updateEditActions();
    resize(800, 650);
}

MainWindow::~MainWindow() { abandonEvaluation(); }

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);

    text1_ = new ExpressionBox(central);
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPointSizeF(std::max(digits.pointSizeF(), 11.0));
    text1_->setFont(digits);
    text1_->setMinimumHeight(150);
    text1_->setPlaceholderText(QStringLiteral("输入表达式，按“=”或回车计算；Shift+回车换行"));
    connect(text1_, &ExpressionBox::evaluateRequested, this, &MainWindow::evaluate);
    connect(text1_, &ExpressionBox::mouseReleased, this, &MainWindow::updateEditActions);
    connect(text1_, &QPlainTextEdit::selectionChanged, this, &MainWindow::updateEditActions);

    label4_ = new QLabel(QStringLiteral("精度"), central);
    label4_->setObjectName(QStringLiteral("Label4"));
    text2_ = new QLineEdit(central);
    text2_->setObjectName(QStringLiteral("text2"));
    text2_->setToolTip(QStringLiteral("结果的有效数字位数，最多 10000；空白或 0 为 32 位"));
    text2_->setPlaceholderText(QStringLiteral("32"));
    text2_->setMaximumWidth(90);
    label4_->setBuddy(text2_);
    connect(text2_, &QLineEdit::returnPressed, this, &MainWindow::evaluate);

    check1_ = optionBox("Check1", "子函数测试", "报告阶乘、乘方、对数、正弦、反正切等子函数的用时", false, central);
    check2_ = optionBox("Check2", "科学计数", "结果以科学计数法显示", true, central);
    check4_ = optionBox("Check4", "自动存储", "每次计算的结果（前 100 位有效数字）自动记入当天的日志文件", false,
                        central);
    // The flags follow the boxes, so they can never disagree. A box ticked
    // while a run is going takes effect when it ends: the run's thread owns
    // the flags until then.
    connect(check1_, &QCheckBox::toggled, this, &MainWindow::applyOptionFlags);
    connect(check2_, &QCheckBox::toggled, this, &MainWindow::applyOptionFlags);
    applyOptionFlags();

    busyIndicator_ = new QProgressBar(central);
    busyIndicator_->setObjectName(QStringLiteral("busyIndicator"));
    busyIndicator_->setRange(0, 0); // no end known: the bar just moves
    busyIndicator_->setTextVisible(false);
    busyIndicator_->setMaximumWidth(140);
    busyIndicator_->setToolTip(QStringLiteral("正在计算；按 Esc 或“停止”取消"));
    busyIndicator_->hide();
    busyTimer_ = new QTimer(this);
    busyTimer_->setSingleShot(true);
    busyTimer_->setInterval(kBusyIndicatorDelayMs);
    connect(busyTimer_, &QTimer::timeout, this, &MainWindow::showBusy);

    auto* options = new QHBoxLayout;
    options->addWidget(label4_);
    options->addWidget(text2_);
    options->addSpacing(16);
    options->addWidget(check2_);
    options->addWidget(check4_);
    options->addWidget(check1_);
    options->addStretch();
    options->addWidget(busyIndicator_);

    command2_ = new QPushButton(QStringLiteral("="), central);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setToolTip(QStringLiteral("计算（回车或“=”键）"));
    command2_->setFocusPolicy(Qt::NoFocus);
    QFont equalsFont = command2_->font();
    equalsFont.setPointSizeF(equalsFont.pointSizeF() * 1.5);
    equalsFont.setBold(true);
    command2_->setFont(equalsFont);
    connect(command2_, &QPushButton::clicked, this, &MainWindow::pressCommand2);
    // The button goes down visibly and evaluates when it comes up; during a
    // run the key must not reach the stop button.
    connect(text1_, &ExpressionBox::equalsKeyPressed, command2_, [this] {
        if (!isEvaluating())
            command2_->animateClick();
    });
    stopShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopShortcut_->setEnabled(false);
    connect(stopShortcut_, &QShortcut::activated, this, &MainWindow::stopEvaluation);

    keypad_ = buildKeypad(*text1_, command2_, central);
    memories_ = new MemoryPanel(*text1_, central);

    auto* left = new QVBoxLayout;
    left->addWidget(keypad_.numbers);
    left->addWidget(memories_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(keypad_.elementary);
    right->addWidget(keypad_.trigonometric);
    right->addWidget(keypad_.hyperbolic);
    right->addStretch();
    auto* keys = new QHBoxLayout;
    keys->addLayout(left, 1);
    keys->addLayout(right, 1);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(text1_, 1);
    layout->addLayout(options);
    layout->addLayout(keys);

    text1_->setFocus();
}

void MainWindow::updateEditActions()
{
    if (cut1_ == nullptr)
        return; // the menus are not built yet
    const bool selected = text1_->selectionLength() > 0;
    const bool editable = !isEvaluating();
    cut1_->setEnabled(selected && editable);
    copy1_->setEnabled(selected);
    del1_->setEnabled(selected && editable);
    paste1_->setEnabled(editable);
    open1_->setEnabled(editable);
    copyResult_->setEnabled(!lastResult_.isEmpty());
}

void MainWindow::applyOptionFlags()
{
    if (isEvaluating())
        return;
    subFunctionTest = check1_->isChecked() ? kTrue : kFalse;
    scientificOutput = check2_->isChecked() ? kTrue : kFalse;
}
