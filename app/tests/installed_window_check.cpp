// The window as installed: tests/installed_check.sh copies this program into
// the installed program folder, makes that folder unwritable for the user who
// runs it and gives it an empty temporary home. The window then has to find
// its tables, library and help beside itself and keep the memory files, the
// daily log and its placement in the user's folders, writing nothing beside
// the executable. Not run from the build tree.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/daily_log.h"
#include "app/data_dir.h"
#include "bignum/data_dir_rule.h"
#include "bignum/exe_dir.h"
#include "app/expression_box.h"
#include "bignum/globals.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "expr/memory_text.h"
#include "expr/startup.h"
#include "app/window_settings.h"

namespace {

QString homePath(const char* relative) { return QDir::homePath() + QLatin1Char('/') + QLatin1String(relative); }

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void clickButton(MainWindow& window, const QString& name)
{
    auto* button = window.findChild<QPushButton*>(name);
    QVERIFY2(button != nullptr, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
    // "=" evaluates off the window's thread: wait until the run has ended.
    QVERIFY(QTest::qWaitFor([&window] { return !window.isEvaluating(); }, 120000));
}

QCheckBox* checkBox(MainWindow& window, const char* name)
{
    return window.findChild<QCheckBox*>(QString::fromLatin1(name));
}

void setExpression(MainWindow& window, const QString& text)
{
    window.expressionBox()->replaceAll(text, 0);
    window.expressionBox()->select(text.size(), 0);
}

} // namespace

class InstalledWindowCheck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariableIsEmpty(kDataDirVariable), "the data folder must not be overridden here");
        startUp();
    }

    void dataGoesToTheUserFolder()
    {
        QVERIFY2(!directoryWritable(executableDirectory()), executableDirectory().c_str());
        QCOMPARE(dataDirectory(), homePath(".local/share/quorra"));
        QVERIFY(!QFileInfo::exists(dataDirectory())); // made on first use only
        QVERIFY(QFileInfo::exists(helpFilePath()));
    }

    void windowStartsAsDesigned()
    {
        MainWindow window;
        window.show();
        QVERIFY(!window.windowIcon().isNull());
        QCOMPARE(window.precisionBox()->text(), QString());
        QVERIFY(!checkBox(window, "Check1")->isChecked());
        QVERIFY(checkBox(window, "Check2")->isChecked());
        QVERIFY(!checkBox(window, "Check3")->isChecked());
        QVERIFY(!checkBox(window, "Check4")->isChecked());
        QCOMPARE(scientificOutput, kTrue);
        QCOMPARE(subFunctionTest, kFalse);
    }

    // The script left AAA.txt (holding "7") beside the executable, as a copy
    // run from its own folder would have.
    void memoryBesideTheExecutableIsRead()
    {
        MainWindow window;
        window.show();
        memoryText[0].clear();
        setExpression(window, QString());
        clickButton(window, QStringLiteral("Command4_1"));
        QCOMPARE(memoryText[0], std::string("7"));
        setExpression(window, QStringLiteral("A*6"));
        clickButton(window, QStringLiteral("Command2"));
        QCOMPARE(window.expressionBox()->text(), QStringLiteral("A*6 =4.2E1"));
    }

    void memoryStoreAndRecall()
    {
        MainWindow window;
        window.show();
        setExpression(window, QStringLiteral("1+2*3"));
        checkBox(window, "Check3")->setChecked(true);
        clickButton(window, QStringLiteral("Command4_2"));
        QCOMPARE(fileBytes(homePath(".local/share/quorra/BBB.txt")), QByteArray::fromHex("0000000005") + "1+2*3");

        memoryText[1].clear();
        setExpression(window, QStringLiteral("2*"));
        clickButton(window, QStringLiteral("Command4_2"));
        QCOMPARE(memoryText[1], std::string("1+2*3"));
        clickButton(window, QStringLiteral("Command2"));
        // The memory goes in as text: 2*1+2*3.
        QCOMPARE(window.expressionBox()->text(), QStringLiteral("2*B =8.0"));
    }

    void autoSaveLandsInTheDataFolder()
    {
        MainWindow window;
        window.show();
        checkBox(window, "Check4")->setChecked(true);
        setExpression(window, QStringLiteral("2+2"));
        clickButton(window, QStringLiteral("Command2"));
        const QString log = DailyLog().todaysPath();
        QCOMPARE(QFileInfo(log).absolutePath(), homePath(".local/share/quorra"));
        QVERIFY(fileBytes(log).contains("2+2 =4.0\r\n"));
    }

    void placementIsRemembered()
    {
        {
            MainWindow window;
            window.show();
            window.resize(910, 730); // above the window's minimum size
            checkBox(window, "Check2")->setChecked(false); // not remembered
            saveWindowPlacement(window);
        }
        QVERIFY(QFileInfo::exists(homePath(".config/quorra/quorra.conf")));
        MainWindow window;
        restoreWindowPlacement(window);
        window.show();
        QCOMPARE(window.size(), QSize(910, 730));
        QVERIFY(checkBox(window, "Check2")->isChecked());
    }
};

QTEST_MAIN(InstalledWindowCheck)
#include "installed_window_check.moc"
