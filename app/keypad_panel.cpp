#include "app/keypad_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

#include "app/expression_box.h"
#include "app/keypad_editing.h"
#include "app/keypad_keys.h"

namespace {

constexpr int kKeyHeight = 30;
constexpr int kKeyWidth = 54;

void sizeKey(QPushButton* button)
{
    button->setMinimumSize(kKeyWidth, kKeyHeight);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setFocusPolicy(Qt::NoFocus); // the keys write into Text1 and leave it the focus
    button->setAutoDefault(false);
}

QPushButton* makeKey(ExpressionBox& box, int index, QWidget* parent)
{
    const KeypadKey* key = keypadKey(index);
    auto* button = new QPushButton(key->caption, parent);
    button->setObjectName(QStringLiteral("Command1_%1").arg(index));
    if (!key->toolTip.isEmpty())
        button->setToolTip(key->toolTip);
    sizeKey(button);
    // The angle marks are thin strokes; at the text size they are hard to hit.
    if (key->caption.size() == 1 && key->caption.at(0).unicode() > 0x7F) {
        QFont symbol = button->font();
        symbol.setPointSizeF(symbol.pointSizeF() * 1.3);
        button->setFont(symbol);
    }
    QObject::connect(button, &QPushButton::clicked, button, [&box, index] { pressKeypadKey(box, index); });
    return button;
}

template <typename Action>
QPushButton* makeEditKey(ExpressionBox& box, const char* name, const char* caption, const char* toolTip,
                         Action action, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(toolTip));
    sizeKey(button);
    QObject::connect(button, &QPushButton::clicked, button, [&box, action] { action(box); });
    return button;
}

// A group whose rows list key indices in a grid; the keys of tail, if any,
// share one more row evenly, however many there are.
QGroupBox* keyGroup(ExpressionBox& box, const char* title, const char* name,
                    std::initializer_list<std::initializer_list<int>> rows, std::initializer_list<int> tail,
                    QWidget* parent)
{
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    group->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(4);
    int r = 0;
    int columns = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (int index : row)
            grid->addWidget(makeKey(box, index, group), r, c++);
        columns = std::max(columns, c);
        ++r;
    }
    if (tail.size() > 0) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        for (int index : tail)
            line->addWidget(makeKey(box, index, group));
        grid->addLayout(line, r, 0, 1, columns);
    }
    return group;
}

} // namespace

KeypadGroups buildKeypad(ExpressionBox& box, QPushButton* equalsButton, QWidget* parent)
{
    KeypadGroups groups;

    groups.numbers = new QGroupBox(QStringLiteral("数字与运算"), parent);
    groups.numbers->setObjectName(QStringLiteral("numbersGroup"));
    auto* grid = new QGridLayout(groups.numbers);
    grid->setSpacing(4);
    const int layout[5][5] = {
        {7, 8, 9, 15, 16},
        {4, 5, 6, 13, 14},
        {1, 2, 3, 11, 12},
        {0, 10, 17, 18, 19},
        {65, 64, 36, 37, 20},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            grid->addWidget(makeKey(box, layout[r][c], groups.numbers), r, c);
    grid->addWidget(makeEditKey(box, "Command3", "c", "删除所有", clearExpression, groups.numbers), 0, 5);
    grid->addWidget(makeEditKey(box, "Command5", "←", "退格", backspaceExpression, groups.numbers), 1, 5);
    grid->addWidget(makeEditKey(box, "Command6", "1/x", "倒数", reciprocalOfExpression, groups.numbers), 2, 5);
    equalsButton->setParent(groups.numbers);
    equalsButton->setMinimumSize(kKeyWidth, kKeyHeight);
    equalsButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    grid->addWidget(equalsButton, 3, 5, 2, 1);

    groups.elementary = keyGroup(box, "初等函数", "elementaryGroup", {{21, 22, 63, 35}, {30, 54, 57, 62}}, {}, parent);
    groups.trigonometric = keyGroup(box, "三角函数", "trigonometricGroup", {{24, 25, 26, 27}, {32, 31, 42, 39}},
                                    {44, 46, 48, 61, 67}, parent);
    groups.hyperbolic = keyGroup(box, "双曲函数", "hyperbolicGroup", {{29, 40, 55, 38}, {41, 33, 52, 53}}, {}, parent);
    return groups;
}
