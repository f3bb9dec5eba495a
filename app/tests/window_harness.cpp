#include "app/tests/window_harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "app/expression_box.h"
#include "bignum/globals.h"
#include "expr/memory_text.h"
#include "expr/startup.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns that it cannot pass size hints to, or raise
// windows in, a window system it does not have; that says nothing about the
// window under test.
void quietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

void startCoreForWindowTests()
{
    static bool started = false;
    if (started)
        return;
    previousHandler = qInstallMessageHandler(quietOffscreenHandler);
    RecordingPort quiet; // a missing table file would otherwise print
    startUp();
    started = true;
}

WindowHarness::WindowHarness()
{
    startCoreForWindowTests();
    previousDataDir_ = qgetenv("QUORRA_DATA_DIR");
    qputenv("QUORRA_DATA_DIR", dir_.path().toLocal8Bit());
    errorFlag = 0;
    restart();
}

WindowHarness::~WindowHarness()
{
    window_.reset();
    if (previousDataDir_.isNull())
        qunsetenv("QUORRA_DATA_DIR");
    else
        qputenv("QUORRA_DATA_DIR", previousDataDir_);
}

ExpressionBox& WindowHarness::box() { return *window_->expressionBox(); }

void WindowHarness::click(const QString& buttonName)
{
    auto* button = find<QAbstractButton>(buttonName);
    if (button == nullptr) {
        QTest::qFail(qPrintable(QStringLiteral("no button %1").arg(buttonName)), __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    waitForRun();
}

void WindowHarness::waitForRun()
{
    if (!QTest::qWaitFor([this] { return !window_->isEvaluating(); }, 120000))
        QTest::qFail("the evaluation did not end", __FILE__, __LINE__);
}

void WindowHarness::restart()
{
    window_.reset();
    memoryText.fill(std::string());
    window_ = std::make_unique<MainWindow>();
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get()))
        qWarning("the main window did not become active");
}

void WindowHarness::setText(const QString& text, int caret, int length)
{
    box().replaceAll(text, 0);
    box().select(caret, length);
}

void WindowHarness::focusPrecisionBox()
{
    window_->precisionBox()->setFocus();
    QCoreApplication::processEvents();
}

bool WindowHarness::text1HasFocus()
{
    QCoreApplication::processEvents();
    return QApplication::focusWidget() == window_->expressionBox();
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
