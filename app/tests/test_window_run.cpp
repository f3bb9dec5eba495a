// The "=" run as the window does it: the result line in Text1, the caret and
// focus, the precision box, Enter and Shift+Enter, a failure leaving Text1
// alone, auto save writing the 100-digit cut to the daily log, the end of a
// long result in view, and 复制结果 copying the result alone. Digits are
// checked against exact GMP arithmetic or quorra-cli. The run goes on a
// thread of its own: the stop button and Esc, nothing queued or typed in
// meanwhile, reports shown by the window's thread, the busy indicator.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringList>
#include <QTest>
#include <QThread>

#include <random>

#include "expr/ansi_text.h"
#include "app/daily_log.h"
#include "app/expression_box.h"
#include "bignum/globals.h"
#include "bignum/stop_request.h"
#include "app/tests/window_harness.h"

namespace {

QString display(const std::string& canonical) { return QString::fromStdString(scientificDisplayOf(canonical)); }

std::string randomDigits(std::mt19937_64& rng, int count)
{
    std::uniform_int_distribution<int> digit(0, 9);
    std::string s(1, static_cast<char>('1' + digit(rng) % 9));
    while (static_cast<int>(s.size()) < count)
        s.push_back(static_cast<char>('0' + digit(rng)));
    return s;
}

// Records whether each report arrives on the window's thread.
class ThreadProbePort : public RecordingPort {
public:
    void showMessage(const std::string& text, MessageStyle style) override
    {
        onWindowThread.push_back(QThread::currentThread() == qApp->thread());
        RecordingPort::showMessage(text, style);
    }
    void setCaption(const std::string& text) override
    {
        onWindowThread.push_back(QThread::currentThread() == qApp->thread());
        RecordingPort::setCaption(text);
    }
    std::vector<bool> onWindowThread;
};

// Some seconds of work at 10,000 digits, whatever the machine: 96 terms of
// 20-60 ms each in a current build (the tests stop or close it long before
// its end). A run that ended too soon would miss the busy indicator, which
// shows from 0.3 s on.
QString longRunText()
{
    QStringList terms;
    for (int k = 11; k <= 34; ++k)
        terms << QStringLiteral("exp(1.%1)").arg(k) << QStringLiteral("ln(%1)").arg(k)
              << QStringLiteral("sin(1.%1)").arg(k) << QStringLiteral("atan(0.%1)").arg(k);
    return terms.join(QLatin1Char('+'));
}
const QString kLongRun = longRunText();

// Starts "=" on text at 10,000 digits and returns while it runs.
void startLongRun(WindowHarness& h, const QString& text)
{
    h.window().precisionBox()->setText(QStringLiteral("10000"));
    h.setText(text, 0);
    QTest::mouseClick(h.find<QPushButton>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(h.window().isEvaluating());
}

// The view shows the caret, at the end of the text.
bool endInView(ExpressionBox& box)
{
    return box.selectionStart() == box.text().size() && box.viewport()->rect().contains(box.cursorRect()) &&
           box.verticalScrollBar()->value() == box.verticalScrollBar()->maximum();
}

QString todaysLog(WindowHarness& h) { return h.dataPath(dailyLogFileName(QDate::currentDate(), QLocale())); }

// The blocks of a daily log: CR LF lines in threes (empty, date and time, text).
QStringList logLines(const QString& path)
{
    std::string utf8;
    if (!ansiToUtf8(readFileBytes(path).toStdString(), utf8))
        return {QStringLiteral("<not GBK>")};
    return QString::fromStdString(utf8).split(QStringLiteral("\r\n"));
}

} // namespace

class RunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { startCoreForWindowTests(); }

    void successWritesTheResultLine_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("result");
        QTest::newRow("1-2-3") << "1-2-3" << display("-4e0");
        QTest::newRow("blanks and brackets") << " 2 (3+4) " << display("1.4e1");
        QTest::newRow("line break") << "1+\n2" << display("3e0");
    }

    void successWritesTheResultLine()
    {
        QFETCH(QString, expression);
        QFETCH(QString, result);
        WindowHarness h;
        h.setText(expression, 0);
        h.focusPrecisionBox();
        h.click(QStringLiteral("Command2"));
        QVERIFY(h.port().messages.empty());
        QCOMPARE(h.box().text(), expression + QStringLiteral(" =") + result);
        QCOMPARE(h.box().selectionStart(), h.box().text().size());
        QVERIFY(h.text1HasFocus());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // The product of two 60-digit numbers, shown whole at 150 digits: the
    // digits are the exact product.
    void longProductMatchesExactArithmetic()
    {
        std::mt19937_64 rng(20240105);
        for (int round = 0; round < 5; ++round) {
            const std::string a = randomDigits(rng, 60);
            const std::string b = randomDigits(rng, 60);
            WindowHarness h;
            h.window().precisionBox()->setText(QStringLiteral("150"));
            const QString expression = QString::fromStdString(a + "*" + b);
            h.setText(expression, 0);
            h.click(QStringLiteral("Command2"));
            const ExactDecimal product = ExactDecimal(a) * ExactDecimal(b);
            QCOMPARE(h.box().text(), expression + QStringLiteral(" =") + display(product.truncated(150)));
        }
    }

    void failureLeavesText1Alone()
    {
        WindowHarness h;
        h.setText(QStringLiteral("(1+2"), 1);
        h.click(QStringLiteral("Command2"));
        QCOMPARE(h.box().text(), QStringLiteral("(1+2"));
        QCOMPARE(h.box().selectionStart(), 4);
        QVERIFY(h.text1HasFocus());
        QCOMPARE(errorFlag, int16_t(0));
        QCOMPARE(h.port().messages.size(), size_t(1));
        QVERIFY(h.port().messages[0].second == MessageStyle::Warning);

        // The flag is clear: the corrected text evaluates at the next press.
        h.setText(QStringLiteral("(1+2)"), 0);
        h.click(QStringLiteral("Command2"));
        QCOMPARE(h.box().text(), QStringLiteral("(1+2) =") + display("3e0"));
        QCOMPARE(h.port().messages.size(), size_t(1));
    }

    // Reports of the evaluator, of a routine and the timing caption: all
    // shown by the window's thread, which owns the widgets.
    void reportsArriveOnTheWindowThread()
    {
        WindowHarness h;
        ThreadProbePort probe;
        h.find<QCheckBox>(QStringLiteral("Check1"))->setChecked(true);
        for (const char* expression : {"((2", "(-4)^0.5", "ln(2)"}) {
            h.setText(QString::fromLatin1(expression), 0);
            h.click(QStringLiteral("Command2"));
        }
        QCOMPARE(probe.messages.size(), size_t(2));
        QCOMPARE(probe.captions.size(), size_t(1));
        QCOMPARE(probe.onWindowThread, std::vector<bool>(3, true));
    }

    // The busy indicator and pointer come only when a run takes a while.
    void busyIndicatorForLongRunsOnly()
    {
        WindowHarness h;
        auto* indicator = h.find<QProgressBar>(QStringLiteral("busyIndicator"));
        QVERIFY(indicator != nullptr);
        h.setText(QStringLiteral("1+1"), 0);
        h.click(QStringLiteral("Command2"));
        QTest::qWait(400);
        QVERIFY(!indicator->isVisible());

        startLongRun(h, kLongRun);
        QVERIFY(!indicator->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(indicator->isVisible(), 5000);
        QVERIFY(QApplication::overrideCursor() != nullptr);
        h.window().stopEvaluation();
        h.waitForRun();
        QVERIFY(!indicator->isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void stopEndsTheRunAndLeavesTheText_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("stop button") << false;
        QTest::newRow("Esc") << true;
    }

    void stopEndsTheRunAndLeavesTheText()
    {
        QFETCH(bool, byEscape);
        WindowHarness h;
        auto* command2 = h.find<QPushButton>(QStringLiteral("Command2"));
        startLongRun(h, kLongRun);
        QCOMPARE(command2->text(), QStringLiteral("停止"));
        QTest::qWait(200); // the window goes on handling events meanwhile
        QVERIFY(h.window().isEvaluating());
        if (byEscape)
            QTest::keyClick(&h.box(), Qt::Key_Escape);
        else
            QTest::mouseClick(command2, Qt::LeftButton);
        // A generous bound: it checks that the stop is honoured at all.
        QTRY_VERIFY_WITH_TIMEOUT(!h.window().isEvaluating(), 1000);
        QCOMPARE(h.box().text(), kLongRun);
        QCOMPARE(h.port().messages.size(), size_t(1));
        QCOMPARE(h.port().messages[0].first, std::string("计算已取消"));
        QVERIFY(h.port().messages[0].second == MessageStyle::Plain);
        QCOMPARE(command2->text(), QStringLiteral("="));
        QCOMPARE(errorFlag, int16_t(0));
        QVERIFY(h.text1HasFocus());

        // The next run is not stopped by the old request.
        h.setText(QStringLiteral("2+2"), 0);
        h.click(QStringLiteral("Command2"));
        QCOMPARE(h.box().text(), QStringLiteral("2+2 =") + display("4e0"));
    }

    // Closing the window during a run ends the run at once, and nothing is
    // reported to a window that is going away.
    void closingDuringARunEndsIt()
    {
        WindowHarness h;
        startLongRun(h, kLongRun);
        QTest::qWait(100);
        QVERIFY(h.window().close());
        QVERIFY(!h.window().isEvaluating());
        QVERIFY(h.port().messages.empty());
        QCOMPARE(errorFlag, int16_t(0));
        QVERIFY(!stopRequested());
    }

    // While a run goes on, typing, Enter, the "=" key, the keypad and the
    // memories do nothing: no second run on the result line, no keys
    // appended to it.
    void nothingQueuedDuringARun()
    {
        WindowHarness h;
        // A few tenths of a second; the sum stays below 10, so the result
        // has no exponent.
        const QString expression =
            QStringLiteral("exp(1.1)+exp(1.2)+ln(3)+ln(5)+atan(0.01)+atan(0.02)+sin(0.01)+sin(0.02)");
        startLongRun(h, expression);
        QTest::keyClicks(&h.box(), QStringLiteral("99+"));
        QTest::keyClick(&h.box(), Qt::Key_Return);
        QTest::keyClick(&h.box(), Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(&h.box(), QStringLiteral("="));
        QTest::mouseClick(h.find<QPushButton>(QStringLiteral("Command1_1")), Qt::LeftButton);
        QTest::mouseClick(h.find<QPushButton>(QStringLiteral("Command4_1")), Qt::LeftButton);
        QVERIFY(h.window().isEvaluating());
        QCOMPARE(h.box().text(), expression);
        h.waitForRun();
        QTest::qWait(300); // a queued "=" would have started by now
        QVERIFY(!h.window().isEvaluating());
        const QString text = h.box().text();
        QVERIFY2(text.startsWith(expression + QStringLiteral(" =")), qPrintable(text.left(80)));
        QCOMPARE(text.count(QLatin1Char('=')), 1);
        const QString result = text.mid(expression.size() + 2);
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]\\.[0-9]+$")).match(result).hasMatch(),
                 qPrintable(result.right(20)));
        QVERIFY(h.port().messages.empty());
    }

    // After "=", the caret and the exponent at the end of a long result are
    // in view, once the box has laid the text out.
    void longResultShowsItsEnd_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("1/7") << "1/7";
        QTest::newRow("10,000 digits") << QString::fromStdString("9" + std::string(9999, '7') + "+1");
    }

    void longResultShowsItsEnd()
    {
        QFETCH(QString, expression);
        WindowHarness h;
        h.window().precisionBox()->setText(QStringLiteral("10000"));
        h.setText(expression, 0);
        QTest::keyClick(&h.box(), Qt::Key_Return);
        h.waitForRun();
        QVERIFY(h.box().text().size() > 10000);
        QTest::qWait(100);
        QVERIFY(endInView(h.box()));
    }

    // 复制结果 copies the result alone, every digit, as quorra-cli prints it.
    void copiedResultIsTheWholeResult()
    {
        WindowHarness h;
        auto* copyResult = h.find<QAction>(QStringLiteral("copyResult"));
        QVERIFY(copyResult != nullptr);
        QCOMPARE(copyResult->text(), QStringLiteral("复制结果"));
        QCOMPARE(copyResult->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
        QVERIFY(!copyResult->isEnabled());

        const QString expression = QStringLiteral("2^0.5*π");
        h.window().precisionBox()->setText(QStringLiteral("10000"));
        h.setText(expression, 0);
        h.click(QStringLiteral("Command2"));
        QProcess cli;
        cli.start(QStringLiteral("./quorra-cli"), {QStringLiteral("-p"), QStringLiteral("10000"), expression});
        QVERIFY(cli.waitForFinished(60000));
        const QString printed = QString::fromUtf8(cli.readAllStandardOutput()).trimmed();
        QVERIFY(printed.size() > 10000);

        QApplication::clipboard()->clear();
        h.box().select(0, 3); // whatever is selected
        QTest::keyClick(&h.box(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), printed);
        // Editing the box afterwards does not change what was computed.
        h.setText(QStringLiteral("1"), 1);
        copyResult->trigger();
        QCOMPARE(QApplication::clipboard()->text(), printed);
    }

    void enterEvaluatesAndShiftEnterBreaksTheLine()
    {
        WindowHarness h;
        h.setText(QStringLiteral("1+"), 2);
        QTest::keyClick(&h.box(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(h.box().text(), QStringLiteral("1+\n"));
        QTest::keyClicks(&h.box(), QStringLiteral("2"));
        QTest::keyClick(&h.box(), Qt::Key_Return);
        h.waitForRun();
        QCOMPARE(h.box().text(), QStringLiteral("1+\n2 =") + display("3e0"));

        h.setText(QStringLiteral("5-1"), 3);
        QTest::keyClick(&h.box(), Qt::Key_Enter, Qt::KeypadModifier);
        h.waitForRun();
        QCOMPARE(h.box().text(), QStringLiteral("5-1 =") + display("4e0"));
    }

    void equalsKeyPressesTheButton()
    {
        WindowHarness h;
        h.setText(QString(), 0);
        QTest::keyClicks(&h.box(), QStringLiteral("7-9="));
        QTRY_COMPARE(h.box().text(), QStringLiteral("7-9 =") + display("-2e0"));
        QVERIFY(h.text1HasFocus());
    }

    void precisionBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("50") << "50" << "50";
        QTest::newRow("10000") << "10000" << "10000";
        QTest::newRow("capped") << "123456" << "10000";
        QTest::newRow("9999.6 rounds up past the cap") << "9999.6" << "10000";
    }

    void precisionBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        WindowHarness h;
        auto* label = h.find<QLabel>(QStringLiteral("Label4"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), QStringLiteral("精度"));
        h.window().precisionBox()->setText(typed);
        h.setText(QStringLiteral("1+1"), 0);
        h.click(QStringLiteral("Command2"));
        QCOMPARE(h.window().precisionBox()->text(), shown);
    }

    // Enough digits are shown as the precision box asks: 1/3 is not bound
    // everywhere yet, so an exact sum of many digits stands in.
    void precisionDecidesTheShownDigits()
    {
        WindowHarness h;
        const std::string a = "1" + std::string(59, '0') + "7";
        h.window().precisionBox()->setText(QStringLiteral("20"));
        h.setText(QString::fromStdString(a + "+2"), 0);
        h.click(QStringLiteral("Command2"));
        // 61 digits exact, shown rounded to 21 (the box's digits + 1).
        Mpfr exact((ExactDecimal(a) + ExactDecimal("2")).truncated(61), bitsForDigits(80));
        QCOMPARE(h.box().text(), QString::fromStdString(a + "+2 =") + display(canonicalRoundedHalfUp(exact, 21)));
    }

    void scientificCheckBoxSwitchesTheNotation()
    {
        WindowHarness h;
        auto* check2 = h.find<QCheckBox>(QStringLiteral("Check2"));
        QVERIFY(check2->isChecked());
        QCOMPARE(scientificOutput, kTrue);
        QTest::mouseClick(check2, Qt::LeftButton);
        QCOMPARE(scientificOutput, kFalse);
        h.setText(QStringLiteral("12+3*4"), 0);
        h.click(QStringLiteral("Command2"));
        QVERIFY(!h.box().text().contains(QLatin1Char('E')));
        QVERIFY2(h.box().text().startsWith(QStringLiteral("12+3*4 =24")), qPrintable(h.box().text()));
        QTest::mouseClick(check2, Qt::LeftButton);
        QCOMPARE(scientificOutput, kTrue);
    }

    void subFunctionCheckBoxSwitchesTiming()
    {
        WindowHarness h;
        auto* check1 = h.find<QCheckBox>(QStringLiteral("Check1"));
        QCOMPARE(check1->text(), QStringLiteral("子函数测试"));
        QVERIFY(!check1->isChecked());
        QCOMPARE(subFunctionTest, kFalse);
        QTest::mouseClick(check1, Qt::LeftButton);
        QCOMPARE(subFunctionTest, kTrue);
        QTest::mouseClick(check1, Qt::LeftButton);
        QCOMPARE(subFunctionTest, kFalse);
    }

    // A 10,000-digit result wraps inside the box: no sideways scrolling, and
    // every digit is there to select.
    void tenThousandDigitsWrap()
    {
        std::mt19937_64 rng(7);
        const std::string big = randomDigits(rng, 10000);
        WindowHarness h;
        h.window().precisionBox()->setText(QStringLiteral("10000"));
        h.setText(QString::fromStdString(big + "+1"), 0);
        h.click(QStringLiteral("Command2"));
        QVERIFY(h.port().messages.empty());
        const ExactDecimal sum = ExactDecimal(big) + ExactDecimal("1");
        QCOMPARE(h.box().text(), QString::fromStdString(big + "+1 =") + display(sum.truncated(10000)));
        QCoreApplication::processEvents();
        QCOMPARE(h.box().horizontalScrollBar()->maximum(), 0);
        QVERIFY(h.box().verticalScrollBar()->maximum() > 0);
    }

    void autoSaveWritesTheHundredDigitCut()
    {
        std::mt19937_64 rng(99);
        const std::string a = randomDigits(rng, 70);
        const std::string b = randomDigits(rng, 65);
        WindowHarness h;
        auto* check4 = h.find<QCheckBox>(QStringLiteral("Check4"));
        QCOMPARE(check4->text(), QStringLiteral("自动存储"));
        QVERIFY(!check4->isChecked());
        check4->setChecked(true);
        h.window().precisionBox()->setText(QStringLiteral("200"));
        const QString expression = QString::fromStdString(a + "*" + b);
        h.setText(expression, 0);
        h.click(QStringLiteral("Command2"));

        const ExactDecimal product = ExactDecimal(a) * ExactDecimal(b);
        QCOMPARE(h.box().text(), expression + QStringLiteral(" =") + display(product.truncated(200)));
        const QStringList lines = logLines(todaysLog(h));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString());
        QVERIFY2(lines[1].startsWith(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)),
                 qPrintable(lines[1]));
        QCOMPARE(lines[2], expression + QStringLiteral(" =") + display(product.truncated(100)));
        QCOMPARE(lines[3], QString());

        // A failed run writes nothing; a second success appends a block.
        h.setText(QStringLiteral("(1"), 0);
        h.click(QStringLiteral("Command2"));
        h.setText(QStringLiteral("2-5"), 0);
        h.click(QStringLiteral("Command2"));
        const QStringList more = logLines(todaysLog(h));
        QCOMPARE(more.size(), 7);
        QCOMPARE(more[5], QStringLiteral("2-5 =") + display("-3e0"));
    }

    void autoSaveOffWritesNothing()
    {
        WindowHarness h;
        h.setText(QStringLiteral("1+1"), 0);
        h.click(QStringLiteral("Command2"));
        QVERIFY(!QFile::exists(todaysLog(h)));
    }

    // A log that cannot be written is reported once; the calculator goes on.
    void unwritableLogIsReportedOnce()
    {
        WindowHarness h;
        qputenv("QUORRA_DATA_DIR", h.dataPath(QStringLiteral("no/such/dir")).toLocal8Bit());
        h.find<QCheckBox>(QStringLiteral("Check4"))->setChecked(true);
        for (int k = 0; k < 3; ++k) {
            h.setText(QStringLiteral("2+2"), 0);
            h.click(QStringLiteral("Command2"));
            QCOMPARE(h.box().text(), QStringLiteral("2+2 =") + display("4e0"));
        }
        QCOMPARE(h.port().messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(h.port().messages[0].first).contains(QStringLiteral("日志")));
    }
};

QTEST_MAIN(RunTest)
#include "test_window_run.moc"
