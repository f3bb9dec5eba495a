// The keypad Command1 and the editing keys c, ←, 1/x, pressed with the mouse
// on the real window: what each key inserts, where the caret ends, and that
// the focus goes back to Text1.
#include <QPushButton>
#include <QTest>

#include <set>

#include "app/expression_box.h"
#include "app/tests/window_harness.h"

namespace {

// The keypad as designed: index, caption, tool tip, inserted text, caret
// offset from the insertion point.
struct KeyRow {
    int index;
    const char* caption;
    const char* toolTip;
    const char* inserted;
    int caretOffset;
};

const KeyRow kKeys[] = {
    {0, "0", "", "0", 1},
    {1, "1", "", "1", 1},
    {2, "2", "", "2", 1},
    {3, "3", "", "3", 1},
    {4, "4", "", "4", 1},
    {5, "5", "", "5", 1},
    {6, "6", "", "6", 1},
    {7, "7", "", "7", 1},
    {8, "8", "", "8", 1},
    {9, "9", "", "9", 1},
    {10, ".", "", ".", 1},
    {11, "+", "", "+", 1},
    {12, "-", "", "-", 1},
    {13, "*", "", "*", 1},
    {14, "/", "高精度除", "/", 1},
    {15, "(", "", "(", 1},
    {16, ")", "", ")", 1},
    {18, "＾", "乘方", "^", 1},
    {19, "\\", "整除", "\\", 1},
    {20, "mod", "余数=被除数-整数商*除数", "mod(,)", 4},
    {21, "ln", "自然对数", "ln()", 3},
    {22, "log", "以10为底数的对数", "log()", 4},
    {24, "sin", "正弦函数", "sin()", 4},
    {25, "cos", "余弦函数", "cos()", 4},
    {26, "tan", "正切函数", "tan()", 4},
    {27, "cot", "余切函数", "cot()", 4},
    {29, "sinh", "双曲正弦函数", "sinh()", 5},
    {30, "3√", "开立方根", "cuberoot()", 9},
    {31, "acos", "反余弦函数", "acos()", 5},
    {32, "asin", "反正弦函数", "asin()", 5},
    {33, "arcosh", "反双曲余弦函数", "arcosh()", 7},
    {35, "n!!", "双阶乘", "doujc()", 6},
    {36, "√", "开平方根", "√", 1},
    {37, "n!", "阶乘", "!", 1},
    {38, "coth", "双曲余切函数", "coth()", 5},
    {39, "acot", "反余切函数", "acot()", 5},
    {40, "cosh", "双曲余弦函数", "cosh()", 5},
    {41, "arsinh", "反双曲正弦函数", "arsinh()", 7},
    {42, "atan", "反正切函数", "atan()", 5},
    {44, "°", "度", "°", 1},
    {46, "′", "分", "′", 1},
    {48, "″", "秒", "″", 1},
    {52, "artanh", "反双曲正切函数", "artanh()", 7},
    {53, "arcoth", "反双曲余切函数", "arcoth()", 7},
    {54, "n√X", "开N次方根", "yroot(,)", 6},
    {55, "tanh", "双曲正切函数", "tanh()", 5},
    {57, "int", "返回整数部分", "int()", 4},
    {61, "angle", "弧度转换为角度值", "angle()", 6},
    {62, "frac", "返回小数部分", "frac()", 5},
    {63, "exp", "e的x次方", "exp()", 4},
    {64, "e", "自然常数", "Natural", 7},
    {65, "π", "圆周率（Pi）", "π", 1},
    {67, "radian", "角度转为弧度值", "radian()", 7},
};

QString u(const char* s) { return QString::fromUtf8(s); }

} // namespace

class KeypadTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { startCoreForWindowTests(); }

    void everyIndexHasExactlyOneButton()
    {
        WindowHarness h;
        std::set<int> expected{17};
        for (const KeyRow& row : kKeys)
            expected.insert(row.index);
        std::set<int> found;
        for (QPushButton* button : h.window().findChildren<QPushButton*>()) {
            const QString name = button->objectName();
            if (name.startsWith(QStringLiteral("Command1_")))
                QVERIFY2(found.insert(name.mid(9).toInt()).second, qPrintable(name));
        }
        QCOMPARE(found, expected);
    }

    void keyInsertsInFrontOfTheCaret_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("caretOffset");
        for (const KeyRow& row : kKeys)
            QTest::addRow("%d %s", row.index, row.caption)
                << row.index << u(row.caption) << u(row.toolTip) << u(row.inserted) << row.caretOffset;
    }

    // Text "2π3" with the caret behind π (a double-byte character in the
    // code page must count as one position): the key goes in at the caret.
    void keyInsertsInFrontOfTheCaret()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QString, inserted);
        QFETCH(int, caretOffset);

        WindowHarness h;
        const QString name = QStringLiteral("Command1_%1").arg(index);
        auto* button = h.find<QPushButton>(name);
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), toolTip);

        h.setText(QStringLiteral("2π3"), 2);
        h.focusPrecisionBox();
        h.click(name);
        QCOMPARE(h.box().text(), QStringLiteral("2π") + inserted + QStringLiteral("3"));
        QCOMPARE(h.box().selectionStart(), 2 + caretOffset);
        QCOMPARE(h.box().selectionLength(), 0);
        QVERIFY(h.text1HasFocus());

        // A selection is not replaced: the text goes in front of it.
        h.setText(QStringLiteral("1+23"), 2, 2);
        h.click(name);
        QCOMPARE(h.box().text(), QStringLiteral("1+") + inserted + QStringLiteral("23"));
        QCOMPARE(h.box().selectionStart(), 2 + caretOffset);
    }

    void functionKeyAtTheStart()
    {
        WindowHarness h;
        h.setText(QStringLiteral("23"), 0);
        h.click(QStringLiteral("Command1_24"));
        QCOMPARE(h.box().text(), QStringLiteral("sin()23"));
        QCOMPARE(h.box().selectionStart(), 4);
    }

    void plusMinusWrapsTheWholeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("expectedCaret");
        QTest::newRow("caret inside") << "1+2" << 1 << 0 << "-(1+2)" << 4;
        QTest::newRow("selection ignored") << "1+2" << 2 << 1 << "-(1+2)" << 5;
        QTest::newRow("empty box") << "" << 0 << 0 << "-()" << 3;
        QTest::newRow("caret at end") << "π" << 1 << 0 << "-(π)" << 4;
    }

    void plusMinusWrapsTheWholeText()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QFETCH(int, expectedCaret);
        WindowHarness h;
        auto* button = h.find<QPushButton>(QStringLiteral("Command1_17"));
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), QStringLiteral("±"));
        QVERIFY(button->toolTip().isEmpty());
        h.setText(text, caret, length);
        h.focusPrecisionBox();
        h.click(QStringLiteral("Command1_17"));
        QCOMPARE(h.box().text(), expected);
        QCOMPARE(h.box().selectionStart(), expectedCaret);
        QVERIFY(h.text1HasFocus());
    }

    void editingKeysCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("clear") << "Command3" << "c" << "删除所有";
        QTest::newRow("backspace") << "Command5" << "←" << "退格";
        QTest::newRow("reciprocal") << "Command6" << "1/x" << "倒数";
        QTest::newRow("equals") << "Command2" << "=" << "计算（回车或“=”键）";
    }

    void editingKeysCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        WindowHarness h;
        auto* button = h.find<QPushButton>(name);
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), toolTip);
    }

    void editingKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("expectedCaret");
        QTest::newRow("c clears") << "Command3" << "1+2" << 1 << 1 << "" << 0;
        QTest::newRow("← at 0 changes nothing") << "Command5" << "12" << 0 << 0 << "12" << 0;
        QTest::newRow("← removes the character before the caret") << "Command5" << "1π3" << 2 << 0 << "13" << 1;
        QTest::newRow("← at the end") << "Command5" << "123" << 3 << 0 << "12" << 2;
        QTest::newRow("← removes the selection") << "Command5" << "12345" << 1 << 3 << "15" << 1;
        QTest::newRow("← on an empty box") << "Command5" << "" << 0 << 0 << "" << 0;
        QTest::newRow("← keeps a character beyond the basic plane whole")
            << "Command5" << QStringLiteral("1") + QString::fromUcs4(U"\U0001D70B") + QStringLiteral("2") << 3 << 0
            << "12" << 1;
        QTest::newRow("1/x wraps the whole text") << "Command6" << "1+2" << 1 << 0 << "1/(1+2)" << 7;
        QTest::newRow("1/x wraps the selection") << "Command6" << "2+3" << 2 << 1 << "2+1/(3)" << 7;
        QTest::newRow("1/x counts π as one character") << "Command6" << "π+2" << 2 << 1 << "π+1/(2)" << 7;
        QTest::newRow("1/x around a selected π") << "Command6" << "2*π+1" << 2 << 1 << "2*1/(π)+1" << 9;
        QTest::newRow("1/x on an empty box") << "Command6" << "" << 0 << 0 << "" << 0;
    }

    void editingKeys()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QFETCH(int, expectedCaret);
        WindowHarness h;
        h.setText(text, caret, length);
        h.focusPrecisionBox();
        h.click(key);
        QCOMPARE(h.box().text(), expected);
        QCOMPARE(h.box().selectionStart(), expectedCaret);
        QCOMPARE(h.box().selectionLength(), 0);
        QVERIFY(h.text1HasFocus());
    }

    // Keys pressed one after another build an expression the evaluator reads.
    void keysBuildAnExpression()
    {
        WindowHarness h;
        h.setText(QString(), 0);
        for (const char* key : {"Command1_1", "Command1_2", "Command1_11", "Command1_3", "Command1_13", "Command1_4"})
            h.click(QString::fromLatin1(key));
        QCOMPARE(h.box().text(), QStringLiteral("12+3*4"));
        h.click(QStringLiteral("Command2"));
        QVERIFY(h.port().messages.empty());
        QCOMPARE(h.box().text(), QStringLiteral("12+3*4 =") + QString::fromStdString(scientificDisplayOf("2.4e1")));
    }
};

QTEST_MAIN(KeypadTest)
#include "test_window_keypad.moc"
