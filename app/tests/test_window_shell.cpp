// The application shell: the menu bar, the edit commands and their enabling,
// Open, Save and Save as, help, the About window Form2, the real message
// boxes of the port, and a layout that fits a 1366x768 screen.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/daily_log.h"
#include "app/expression_box.h"
#include "app/tests/window_harness.h"
#include "app/window_message_port.h"

namespace {

QByteArray stored(const QByteArray& gbkText)
{
    QByteArray h(5, '\0');
    int n = static_cast<int>(gbkText.size());
    for (int k = 4; k >= 0; --k) {
        h[k] = static_cast<char>(n % 10);
        n /= 10;
    }
    return h + gbkText;
}

QAction* action(WindowHarness& h, const char* name) { return h.find<QAction>(QString::fromLatin1(name)); }

struct EditState {
    bool cut;
    bool copy;
    bool del;
};

EditState editState(WindowHarness& h)
{
    return {action(h, "cut1")->isEnabled(), action(h, "copy1")->isEnabled(), action(h, "del1")->isEnabled()};
}

bool allEnabled(WindowHarness& h)
{
    const EditState s = editState(h);
    return s.cut && s.copy && s.del;
}

bool allDisabled(WindowHarness& h)
{
    const EditState s = editState(h);
    return !s.cut && !s.copy && !s.del;
}

// What a real message box showed before the test closed it.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool seen = false;
};

// Closes the next modal message box as soon as it is up, noting what it showed.
void closeNextMessageBox(ShownBox& shown)
{
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            closeNextMessageBox(shown);
            return;
        }
        QStringList buttons;
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        shown = {box->windowTitle(), box->text(), box->icon(), buttons, true};
        box->accept();
    });
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { startCoreForWindowTests(); }

    void windowDesign()
    {
        WindowHarness h;
        QCOMPARE(h.window().objectName(), QStringLiteral("form1"));
        QCOMPARE(h.window().windowTitle(), QStringLiteral("Velder高精度表达式计算机"));
        QCOMPARE(h.box().objectName(), QStringLiteral("Text1"));
        QCOMPARE(h.window().precisionBox()->objectName(), QStringLiteral("text2"));
        const struct {
            const char* name;
            const char* caption;
            bool ticked;
        } boxes[] = {{"Check1", "子函数测试", false},
                     {"Check2", "科学计数", true},
                     {"Check3", "算式存入", false},
                     {"Check4", "自动存储", false}};
        for (const auto& b : boxes) {
            auto* check = h.find<QCheckBox>(QString::fromLatin1(b.name));
            QVERIFY2(check != nullptr, b.name);
            QCOMPARE(check->text(), QString::fromUtf8(b.caption));
            QCOMPARE(check->isChecked(), b.ticked);
        }
    }

    void menuBar()
    {
        WindowHarness h;
        const struct {
            const char* menu;
            const char* caption;
            std::vector<std::pair<const char*, const char*>> items; // "-" is a separator
        } menus[] = {
            {"file1", "文件(&F)",
             {{"save1", "保存(&S)"}, {"open1", "打开(&O)"}, {"saveas", "另存为(&A)"}, {"ljf2", "-"}, {"quit1", "退出(&X)"}}},
            {"edit1", "编缉(&E)",
             {{"cut1", "剪切(&T)"},
              {"copy1", "复制(&C)"},
              {"copyResult", "复制结果"},
              {"paste1", "粘贴(&P)"},
              {"del1", "删除(&L)"},
              {"ljf3", "-"},
              {"all1", "全选(&A)"}}},
            {"help1", "帮助(&H)", {{"view1", "查看帮助(&H)"}, {"ljf4", "-"}, {"About1", "关于(&A)"}}},
        };
        const QList<QAction*> top = h.window().menuBar()->actions();
        QCOMPARE(top.size(), 3);
        for (int m = 0; m < 3; ++m) {
            QMenu* menu = top[m]->menu();
            QVERIFY(menu != nullptr);
            QCOMPARE(menu->objectName(), QString::fromLatin1(menus[m].menu));
            QCOMPARE(menu->title(), QString::fromUtf8(menus[m].caption));
            const QList<QAction*> items = menu->actions();
            QCOMPARE(items.size(), static_cast<qsizetype>(menus[m].items.size()));
            for (qsizetype k = 0; k < items.size(); ++k) {
                const auto& expected = menus[m].items[static_cast<size_t>(k)];
                QCOMPARE(items[k]->objectName(), QString::fromLatin1(expected.first));
                const QString caption = QString::fromUtf8(expected.second);
                if (caption == QStringLiteral("-"))
                    QVERIFY(items[k]->isSeparator());
                else
                    QCOMPARE(items[k]->text(), caption);
            }
        }
    }

    // cut1, copy1 and del1 follow the selection of Text1: a mouse selection,
    // select all, and the commands that remove the selection.
    void editEnablingRule()
    {
        WindowHarness h;
        h.setText(QStringLiteral("12345"), 0);
        QVERIFY(allDisabled(h));

        // A selection made with the mouse.
        QWidget* viewport = h.box().viewport();
        const QRect first = h.box().cursorRect(QTextCursor(h.box().document()));
        h.box().setCaret(5);
        const QRect last = h.box().cursorRect();
        QTest::mousePress(viewport, Qt::LeftButton, {}, first.center());
        QMouseEvent move(QEvent::MouseMove, QPointF(last.center()), viewport->mapToGlobal(QPointF(last.center())),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, last.center());
        QVERIFY(h.box().selectionLength() > 0);
        QVERIFY(allEnabled(h));

        // A click without dragging clears the selection.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, first.center());
        QCOMPARE(h.box().selectionLength(), 0);
        QVERIFY(allDisabled(h));

        action(h, "all1")->trigger();
        QCOMPARE(h.box().selectionStart(), 0);
        QCOMPARE(h.box().selectionLength(), 5);
        QVERIFY(allEnabled(h));
        action(h, "del1")->trigger();
        QVERIFY(allDisabled(h));

        // Select all in an empty box selects nothing, so nothing to cut.
        action(h, "all1")->trigger();
        QVERIFY(allDisabled(h));
    }

    void cutCopyPasteDelete()
    {
        WindowHarness h;
        QClipboard* clipboard = QApplication::clipboard();

        h.setText(QStringLiteral("1+π*2"), 2, 2);
        action(h, "copy1")->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("π*"));
        QCOMPARE(h.box().text(), QStringLiteral("1+π*2"));
        QCOMPARE(h.box().selectionLength(), 2);

        h.focusPrecisionBox();
        action(h, "cut1")->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("π*"));
        QCOMPARE(h.box().text(), QStringLiteral("1+2"));
        QCOMPARE(h.box().selectionStart(), 2);
        QVERIFY(allDisabled(h));
        QVERIFY(h.text1HasFocus());

        // Paste replaces the selection and keeps the caret in front of the
        // pasted text.
        h.setText(QStringLiteral("abcdef"), 2, 2);
        clipboard->setText(QStringLiteral("XY"));
        h.focusPrecisionBox();
        action(h, "paste1")->trigger();
        QCOMPARE(h.box().text(), QStringLiteral("abXYef"));
        QCOMPARE(h.box().selectionStart(), 2);
        QCOMPARE(h.box().selectionLength(), 0);
        QVERIFY(h.text1HasFocus());

        // Delete leaves the clipboard alone.
        h.setText(QStringLiteral("abcdef"), 1, 3);
        h.focusPrecisionBox();
        action(h, "del1")->trigger();
        QCOMPARE(h.box().text(), QStringLiteral("aef"));
        QCOMPARE(h.box().selectionStart(), 1);
        QCOMPARE(clipboard->text(), QStringLiteral("XY"));
        QVERIFY(h.text1HasFocus());

        // The edit menu never touches the precision box.
        h.window().precisionBox()->setText(QStringLiteral("77"));
        h.window().precisionBox()->selectAll();
        action(h, "all1")->trigger();
        action(h, "del1")->trigger();
        QCOMPARE(h.box().text(), QString());
        QCOMPARE(h.window().precisionBox()->text(), QStringLiteral("77"));
    }

    void cutWithoutSelectionLeavesTheText()
    {
        WindowHarness h;
        h.setText(QStringLiteral("123"), 1);
        h.window().cutSelection();
        QCOMPARE(QApplication::clipboard()->text(), QString());
        QCOMPARE(h.box().text(), QStringLiteral("123"));
        QCOMPARE(h.box().selectionStart(), 1);
    }

    void openInsertsAtTheCaret_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("messages");
        QTest::newRow("at the caret") << stored("2*" + QByteArray::fromHex("a6d0")) << 2 << 0 << "1+2*π2-3" << 0;
        QTest::newRow("in front of a selection") << stored("7") << 1 << 2 << "17+2-3" << 0;
        QTest::newRow("length 0 inserts nothing") << stored("") << 1 << 0 << "1+2-3" << 0;
        QTest::newRow("damaged header") << QByteArray("hello") << 1 << 0 << "1+2-3" << 1;
        QTest::newRow("length beyond the file") << stored("12").left(6) << 1 << 0 << "1+2-3" << 1;
    }

    void openInsertsAtTheCaret()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, caret);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QFETCH(int, messages);
        WindowHarness h;
        const QString path = h.dataPath(QStringLiteral("stored.txt"));
        writeFileBytes(path, contents);
        h.window().setOpenFileChooser([path] { return path; });
        h.setText(QStringLiteral("1+2-3"), caret, length);
        h.focusPrecisionBox();
        action(h, "open1")->trigger();
        QCOMPARE(h.box().text(), expected);
        QCOMPARE(h.port().messages.size(), static_cast<size_t>(messages));
        if (messages == 0) {
            QCOMPARE(h.box().selectionStart(), caret); // in front of the inserted text
            QVERIFY(h.text1HasFocus());
        }
    }

    // A memory file written by a store opens as the same text.
    void openReadsAMemoryFile()
    {
        WindowHarness h;
        h.setText(QStringLiteral("π/2"), 0);
        h.find<QCheckBox>(QStringLiteral("Check3"))->setChecked(true);
        h.click(QStringLiteral("Command4_1"));
        const QString path = h.dataPath(QStringLiteral("AAA.txt"));
        h.window().setOpenFileChooser([path] { return path; });
        h.setText(QStringLiteral("()"), 1);
        action(h, "open1")->trigger();
        QCOMPARE(h.box().text(), QStringLiteral("(π/2)"));
    }

    void cancelledDialogsTouchNothing()
    {
        WindowHarness h;
        h.window().setOpenFileChooser([] { return QString(); });
        h.window().setSaveFileChooser([] { return QString(); });
        h.setText(QStringLiteral("1+1"), 1);
        action(h, "open1")->trigger();
        action(h, "saveas")->trigger();
        QCOMPARE(h.box().text(), QStringLiteral("1+1"));
        QVERIFY(QDir(h.dataDir()).entryList(QDir::Files).isEmpty());
        QVERIFY(h.port().messages.empty());
    }

    void saveAndSaveAsAppendBlocks()
    {
        WindowHarness h;
        const QString chosen = h.dataPath(QStringLiteral("mine.txt"));
        h.window().setSaveFileChooser([chosen] { return chosen; });
        const QString logPath = h.dataPath(dailyLogFileName(QDate::currentDate(), QLocale()));

        h.setText(QStringLiteral("3*π"), 0);
        action(h, "save1")->trigger();
        action(h, "saveas")->trigger();
        h.setText(QStringLiteral("4"), 0);
        action(h, "save1")->trigger();
        action(h, "saveas")->trigger();

        for (const QString& path : {logPath, chosen}) {
            const QByteArray bytes = readFileBytes(path);
            const QList<QByteArray> lines = bytes.split('\n');
            QCOMPARE(lines.size(), 7); // two blocks of three CR LF lines
            QCOMPARE(lines[0], QByteArray("\r"));
            QCOMPARE(lines[2], QByteArray("3*") + QByteArray::fromHex("a6d0") + "\r");
            QCOMPARE(lines[3], QByteArray("\r"));
            QCOMPARE(lines[5], QByteArray("4\r"));
            QCOMPARE(lines[6], QByteArray());
        }
        QVERIFY(h.port().messages.empty());
    }

    // Save is a command the user gave: every failure is reported.
    void saveFailureIsReported()
    {
        WindowHarness h;
        qputenv("QUORRA_DATA_DIR", h.dataPath(QStringLiteral("gone")).toLocal8Bit());
        h.setText(QStringLiteral("1"), 0);
        action(h, "save1")->trigger();
        action(h, "save1")->trigger();
        QCOMPARE(h.port().messages.size(), size_t(2));
        h.window().setSaveFileChooser([&h] { return h.dataPath(QStringLiteral("gone/x.txt")); });
        action(h, "saveas")->trigger();
        QCOMPARE(h.port().messages.size(), size_t(3));
    }

    void helpOpensTheShippedPage()
    {
        WindowHarness h;
        QVERIFY(QFile::exists(helpFilePath()));
        QTest::keyClick(&h.box(), Qt::Key_F1);
        HelpWindow* help = h.window().helpWindow();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QVERIFY(help->loaded());
        const QString page = help->findChild<QTextBrowser*>()->toPlainText();
        for (const char* topic : {"运算符", "函数", "精度", "记忆", "示例", "yroot"})
            QVERIFY2(page.contains(QString::fromUtf8(topic)), topic);
        action(h, "view1")->trigger(); // a second request shows the same window
        QCOMPARE(h.window().helpWindow(), help);
    }

    void aboutWindow()
    {
        WindowHarness h;
        action(h, "About1")->trigger();
        QPointer<AboutWindow> about = h.window().aboutWindow();
        QVERIFY(about != nullptr);
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->objectName(), QStringLiteral("Form2"));
        QCOMPARE(about->windowTitle(), QStringLiteral("关于Velder高精度表达式计算器"));
        auto* image = about->findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(image != nullptr);
        QVERIFY(!image->pixmap().isNull());
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("Command1"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("确定"));

        QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(about.isNull()); // unloaded, not just hidden
        action(h, "About1")->trigger();
        QVERIFY(h.window().aboutWindow() != nullptr);
        QVERIFY(h.window().aboutWindow()->isVisible());
    }

    void quitClosesTheWindow()
    {
        WindowHarness h;
        action(h, "quit1")->trigger();
        QVERIFY(!h.window().isVisible());
    }

    // The real port: warning boxes titled "错误提示" with the warning icon,
    // plain ones with the window's caption and no icon; captions go to
    // the window title.
    void windowMessagePort()
    {
        WindowHarness h;
        WindowMessagePort port(&h.window());
        MessagePort& previous = messagePort();
        setMessagePort(&port);

        ShownBox warning;
        closeNextMessageBox(warning);
        showMessage("你的“（”和“）”不对称", MessageStyle::Warning);
        QVERIFY(warning.seen);
        QCOMPARE(warning.title, QStringLiteral("错误提示"));
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.text, QStringLiteral("你的“（”和“）”不对称"));
        QCOMPARE(warning.buttons, QStringList{QStringLiteral("确定")});

        ShownBox plain;
        closeNextMessageBox(plain);
        showMessage("0.25 秒", MessageStyle::Plain);
        QVERIFY(plain.seen);
        QCOMPARE(plain.title, QStringLiteral("Velder高精度表达式计算机"));
        QCOMPARE(plain.title, h.window().windowTitle());
        QCOMPARE(plain.icon, QMessageBox::NoIcon);

        setCaption(std::string(kCaptionPrefix) + "0.5 秒");
        QCOMPARE(h.window().windowTitle(), QStringLiteral("Velder高精度表达式计算器 0.5 秒"));
        setMessagePort(&previous);
    }

    // The window fits a 1366x768 screen (with room for a title bar and a
    // panel), and no key caption is cut off at that size.
    void layoutFitsTheScreen()
    {
        WindowHarness h;
        QCoreApplication::processEvents();
        const QSize size = h.window().size();
        QVERIFY2(size.width() <= 1366 && size.height() <= 700,
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
        const QSize minimum = h.window().minimumSizeHint();
        QVERIFY2(minimum.width() <= size.width() && minimum.height() <= size.height(),
                 qPrintable(QStringLiteral("minimum %1x%2").arg(minimum.width()).arg(minimum.height())));
        for (QPushButton* button : h.window().findChildren<QPushButton*>()) {
            const int needed = button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(needed < button->width() - 4, qPrintable(button->objectName()));
            QVERIFY2(button->isVisible(), qPrintable(button->objectName()));
        }
        QVERIFY(h.box().height() >= 120);
    }
};

QTEST_MAIN(ShellTest)
#include "test_window_shell.moc"
