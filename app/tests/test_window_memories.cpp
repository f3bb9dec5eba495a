// The memory buttons Command4 through real files in a temporary data
// directory: the byte layout (five digit-value header bytes, then GBK text),
// store and recall, memory E as X, damaged or unwritable files, the files
// read at start-up, the tool tips and the focus after a press.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

#include "app/expression_box.h"
#include "bignum/globals.h"
#include "app/memory_files.h"
#include "expr/memory_text.h"
#include "app/tests/window_harness.h"

namespace {

QByteArray header(int n)
{
    QByteArray h(5, '\0');
    for (int k = 4; k >= 0; --k) {
        h[k] = static_cast<char>(n % 10);
        n /= 10;
    }
    return h;
}

// π is A6 D0 in the Chinese code page.
const QByteArray kPiGbk = QByteArray::fromHex("a6d0");

// Lowers the file size limit for its lifetime, so that writing a file fails
// half-way as on a full disk (also for root, whom permissions do not stop).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

} // namespace

class MemoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { startCoreForWindowTests(); }

    void buttonsAndFileNames_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("fileName");
        const char* captions[] = {"A", "B", "C", "D", "X", "F", "G", "H", "I", "J"};
        const char* files[] = {"AAA.txt", "BBB.txt", "CCC.txt", "DDD.txt", "XXX.txt",
                               "FFF.txt", "GGG.txt", "HHH.txt", "III.txt", "JJJ.txt"};
        for (int i = 1; i <= 10; ++i)
            QTest::addRow("%s", captions[i - 1]) << i << QString::fromLatin1(captions[i - 1])
                                                 << QString::fromLatin1(files[i - 1]);
    }

    // Every button stores into its own file and recalls its own letter.
    void buttonsAndFileNames()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, fileName);
        WindowHarness h;
        const QString button = QStringLiteral("Command4_%1").arg(index);
        QVERIFY(h.find<QPushButton>(button) != nullptr);
        QCOMPARE(h.find<QPushButton>(button)->text(), caption);

        const QString text = QStringLiteral("%1+1").arg(index);
        h.setText(text, 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(button);
        QCOMPARE(readFileBytes(h.dataPath(fileName)), header(text.size()) + text.toLatin1());

        memoryText[static_cast<size_t>(index - 1)].clear();
        h.setText(QStringLiteral("2*"), 2);
        h.click(button);
        QCOMPARE(h.box().text(), QStringLiteral("2*") + caption);
        QCOMPARE(memoryText[static_cast<size_t>(index - 1)], text.toStdString());
    }

    void storeCheckBoxDesign()
    {
        WindowHarness h;
        auto* check = h.find<QCheckBox>(QStringLiteral("Check3"));
        QVERIFY(check != nullptr);
        QCOMPARE(check->text(), QStringLiteral("算式存入"));
        QCOMPARE(check->toolTip(), QStringLiteral("控制A-J的操作，存入或取出"));
        QVERIFY(!check->isChecked());
    }

    void storeSelection()
    {
        WindowHarness h;
        h.setText(QStringLiteral("5+12*3"), 2, 2);
        // Ticked by the mouse, the box has the focus.
        auto* check3 = h.find<QCheckBox>(QStringLiteral("Check3"));
        QTest::mouseClick(check3, Qt::LeftButton, {}, QPoint(8, check3->height() / 2));
        QVERIFY(check3->isChecked());
        QVERIFY(!h.text1HasFocus());
        h.click(QStringLiteral("Command4_1"));
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("AAA.txt"))), QByteArray::fromHex("00000000023132"));
        QCOMPARE(memoryText[0], std::string("12"));
        QCOMPARE(h.box().text(), QStringLiteral("5+12*3"));
        QVERIFY(!h.find<QCheckBox>(QStringLiteral("Check3"))->isChecked());
        // Typing goes on in Text1, not into the tick box.
        QVERIFY(h.text1HasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!h.find<QCheckBox>(QStringLiteral("Check3"))->isChecked());
    }

    // The files are read at start-up by the rules of a recall: typed letters
    // use them from the first "=". A damaged file leaves its memory as it
    // was, without a message until its button is pressed. The tool tips show
    // the first 60 characters.
    void memoriesAfterARestart()
    {
        WindowHarness h;
        const QString longText = QStringLiteral("1234567890").repeated(7);
        for (const auto& [index, text] : {std::pair{1, QStringLiteral("12")}, std::pair{3, longText}}) {
            h.setText(text, 0);
            h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
            h.click(QStringLiteral("Command4_%1").arg(index));
        }
        writeFileBytes(h.dataPath(QStringLiteral("BBB.txt")), header(0));
        writeFileBytes(h.dataPath(QStringLiteral("DDD.txt")), header(9) + QByteArray("123"));

        h.restart();
        QVERIFY(h.port().messages.empty());
        QCOMPARE(memoryText[0], std::string("12"));
        QCOMPARE(memoryText[1], std::string("0"));
        QCOMPARE(memoryText[2], longText.toStdString());
        QCOMPARE(memoryText[3], std::string());
        QCOMPARE(memoryText[4], std::string());
        h.setText(QStringLiteral("A*2+B"), 0);
        h.click(QStringLiteral("Command2"));
        QCOMPARE(h.box().text(), QStringLiteral("A*2+B =") + QString::fromStdString(scientificDisplayOf("2.4e1")));

        const auto tip = [&h](int index) { return h.find<QPushButton>(QStringLiteral("Command4_%1").arg(index))->toolTip(); };
        QCOMPARE(tip(1), QStringLiteral("记忆 A：12"));
        QCOMPARE(tip(3), QStringLiteral("记忆 C：") + longText.left(60) + QStringLiteral("…"));
        QCOMPARE(tip(4), QStringLiteral("记忆 D：空"));
        // A store shows at once.
        h.setText(QStringLiteral("7*7"), 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_5"));
        QCOMPARE(tip(5), QStringLiteral("记忆 X：7*7"));
    }

    void storeWholeTextAndEvaluate()
    {
        WindowHarness h;
        h.setText(QStringLiteral("3*4"), 1);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_2"));
        QCOMPARE(h.box().text(), QString());
        QCOMPARE(memoryText[1], std::string("3*4"));
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("BBB.txt"))), header(3) + QByteArray("3*4"));

        h.setText(QStringLiteral("B*2"), 3);
        h.click(QStringLiteral("Command2"));
        QVERIFY(h.port().messages.empty());
        QCOMPARE(h.box().text(), QStringLiteral("B*2 =") + QString::fromStdString(scientificDisplayOf("2.4e1")));
    }

    void recallWithoutFileGivesZero()
    {
        WindowHarness h;
        memoryText[2] = "stale";
        h.setText(QStringLiteral("1+2"), 2, 1);
        h.focusPrecisionBox();
        h.click(QStringLiteral("Command4_3"));
        QCOMPARE(h.box().text(), QStringLiteral("1+C2"));
        QCOMPARE(h.box().selectionStart(), 3);
        QCOMPARE(memoryText[2], std::string("0"));
        QVERIFY(h.text1HasFocus());
        QVERIFY(!QFile::exists(h.dataPath(QStringLiteral("CCC.txt"))));
        QVERIFY(h.port().messages.empty());
    }

    void recallOfLengthZeroGivesZero()
    {
        WindowHarness h;
        writeFileBytes(h.dataPath(QStringLiteral("DDD.txt")), header(0) + QByteArray("ignored"));
        h.setText(QString(), 0);
        h.click(QStringLiteral("Command4_4"));
        QCOMPARE(memoryText[3], std::string("0"));
        QCOMPARE(h.box().text(), QStringLiteral("D"));
    }

    // Bytes after the counted text are not part of it.
    void recallIgnoresTrailingBytes()
    {
        WindowHarness h;
        writeFileBytes(h.dataPath(QStringLiteral("FFF.txt")), header(2) + QByteArray("7+tail"));
        h.click(QStringLiteral("Command4_6"));
        QCOMPARE(memoryText[5], std::string("7+"));
    }

    void piRoundTrip()
    {
        WindowHarness h;
        h.setText(QStringLiteral("2*π"), 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_5")); // memory E, button X
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("XXX.txt"))), header(4) + QByteArray("2*") + kPiGbk);

        memoryText[4].clear();
        h.setText(QString(), 0);
        h.click(QStringLiteral("Command4_5"));
        QCOMPARE(h.box().text(), QStringLiteral("X"));
        QCOMPARE(QString::fromStdString(memoryText[4]), QStringLiteral("2*π"));
    }

    // Storing an empty box empties the memory but keeps the file, so the next
    // recall brings the old text back.
    void storeEmptyTextKeepsTheFile()
    {
        WindowHarness h;
        const QByteArray old = header(1) + QByteArray("9");
        writeFileBytes(h.dataPath(QStringLiteral("GGG.txt")), old);
        memoryText[6] = "9";
        h.setText(QString(), 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_7"));
        QCOMPARE(memoryText[6], std::string());
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("GGG.txt"))), old);
        QVERIFY(!h.find<QCheckBox>(QStringLiteral("Check3"))->isChecked());
        h.click(QStringLiteral("Command4_7"));
        QCOMPARE(memoryText[6], std::string("9"));
    }

    void replacingAShorterTextLeavesNothingOfTheOld()
    {
        WindowHarness h;
        writeFileBytes(h.dataPath(QStringLiteral("HHH.txt")), header(6) + QByteArray("123456"));
        h.setText(QStringLiteral("7"), 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_8"));
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("HHH.txt"))), header(1) + QByteArray("7"));
    }

    void damagedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("explains");
        QTest::newRow("header byte above 9") << QByteArray("00002" "12") << "第 1 个长度字节为 48";
        QTest::newRow("length beyond the file") << (header(9) + QByteArray("123")) << "只有 3 字节正文";
        QTest::newRow("header cut short") << QByteArray::fromHex("000001") << "不足 5 个字节";
        QTest::newRow("text not in the code page") << (header(2) + QByteArray::fromHex("ff41")) << "GBK";
    }

    void damagedFileChangesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, explains);
        WindowHarness h;
        writeFileBytes(h.dataPath(QStringLiteral("III.txt")), contents);
        memoryText[8] = "5";
        h.setText(QStringLiteral("1+"), 2);
        h.click(QStringLiteral("Command4_9"));
        QCOMPARE(memoryText[8], std::string("5"));
        QCOMPARE(h.box().text(), QStringLiteral("1+"));
        QCOMPARE(h.port().messages.size(), size_t(1));
        const QString message = QString::fromStdString(h.port().messages[0].first);
        QVERIFY2(message.contains(QStringLiteral("III.txt")) && message.contains(explains), qPrintable(message));
        QVERIFY(h.port().messages[0].second == MessageStyle::Warning);
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("III.txt"))), contents);
    }

    // A write that fails half-way (here the file size limit) must leave the
    // old file whole, the box and the memory as they were, and say so.
    void failedWriteKeepsTheOldFile()
    {
        WindowHarness h;
        const QByteArray old = header(4) + QByteArray("1234");
        writeFileBytes(h.dataPath(QStringLiteral("JJJ.txt")), old);
        memoryText[9] = "1234";
        const QString longText = QStringLiteral("1+").repeated(40);
        h.setText(longText, 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        {
            FileSizeLimit limit(20);
            h.click(QStringLiteral("Command4_10"));
        }
        QCOMPARE(readFileBytes(h.dataPath(QStringLiteral("JJJ.txt"))), old);
        QCOMPARE(h.box().text(), longText);
        QCOMPARE(memoryText[9], std::string("1234"));
        QVERIFY(h.find<QCheckBox>(QStringLiteral("Check3"))->isChecked());
        QCOMPARE(h.port().messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(h.port().messages[0].first).contains(QStringLiteral("JJJ.txt")));
        // Nothing of the attempt is left lying around.
        QCOMPARE(QDir(h.dataDir()).entryList(QDir::Files), QStringList{QStringLiteral("JJJ.txt")});
    }

    // Five decimal digits count at most 99999 bytes; a longer text is refused
    // instead of being written with a wrong length.
    void textTooLongForTheHeader()
    {
        WindowHarness h;
        const QString text = QStringLiteral("π").repeated(50000); // 100000 bytes in the code page
        h.setText(text, 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_1"));
        QVERIFY(!QFile::exists(h.dataPath(QStringLiteral("AAA.txt"))));
        QCOMPARE(h.box().text(), text);
        QCOMPARE(h.port().messages.size(), size_t(1));

        const QString fits = QStringLiteral("π").repeated(49999) + QStringLiteral("1"); // 99999 bytes
        h.port().messages.clear();
        h.setText(fits, 0);
        h.click(QStringLiteral("Command4_1"));
        QVERIFY(h.port().messages.empty());
        const QByteArray stored = readFileBytes(h.dataPath(QStringLiteral("AAA.txt")));
        QCOMPARE(stored.left(5), header(99999));
        QCOMPARE(stored.size(), 5 + 99999);
    }
};

QTEST_MAIN(MemoryTest)
#include "test_window_memories.moc"
