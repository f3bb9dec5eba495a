#include "app/memory_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

#include "expr/ansi_text.h"
#include "app/expression_box.h"
#include "bignum/globals.h"
#include "app/memory_files.h"
#include "expr/memory_text.h"

MemoryPanel::MemoryPanel(ExpressionBox& box, QWidget* parent)
    : QGroupBox(QStringLiteral("记忆"), parent), box_(box)
{
    setObjectName(QStringLiteral("memoryGroup"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(4);
    constexpr int kPerRow = 5;
    for (int index = 1; index <= kMemoryCount; ++index) {
        auto* button = new QPushButton(memoryLetter(index), this);
        button->setObjectName(QStringLiteral("Command4_%1").arg(index));
        button->setMinimumSize(54, 30);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, index] { press(index); });
        grid->addWidget(button, (index - 1) / kPerRow, (index - 1) % kPerRow);
        buttons_[index - 1] = button;
    }
    storeCheck_ = new QCheckBox(QStringLiteral("算式存入"), this);
    storeCheck_->setObjectName(QStringLiteral("Check3"));
    storeCheck_->setToolTip(QStringLiteral("控制A-J的操作，存入或取出"));
    grid->addWidget(storeCheck_, 2, 0, 1, kPerRow);

    loadMemoriesAtStart();
    showContents();
}

void MemoryPanel::showContents()
{
    constexpr int kShownCharacters = 60;
    for (int index = 1; index <= kMemoryCount; ++index) {
        const QString text = QString::fromStdString(memoryText[static_cast<size_t>(index - 1)]);
        QString shown = text.left(kShownCharacters);
        if (text.size() > kShownCharacters)
            shown += QStringLiteral("…");
        buttons_[index - 1]->setToolTip(text.isEmpty() ? QStringLiteral("记忆 %1：空").arg(memoryLetter(index))
                                                       : QStringLiteral("记忆 %1：%2").arg(memoryLetter(index), shown));
    }
}

void MemoryPanel::press(int index)
{
    if (index < 1 || index > kMemoryCount)
        return;
    if (storeCheck_->isChecked())
        store(index);
    else
        recall(index);
    showContents();
    // Typing goes on in Text1, whichever way the press went (after a store
    // the focus would otherwise stay on the tick box).
    box_.setFocus();
}

void MemoryPanel::store(int index)
{
    const bool partial = box_.selectionLength() > 0;
    const std::string text = (partial ? box_.selectedPlainText() : box_.text()).toStdString();
    // The file keeps the text in the code page; the memory holds what a
    // recall from the file would give, so both always agree.
    const std::string stored = ansiRoundTrip(text);
    if (!myMemorySave(index, stored))
        return; // reported; the box keeps its text and the tick stays for another try
    memoryText[static_cast<size_t>(index - 1)] = stored;
    if (!partial && !text.empty())
        box_.replaceAll(QString(), 0);
    storeCheck_->setChecked(false);
}

void MemoryPanel::recall(int index)
{
    const int p = box_.selectionStart();
    if (!myMemoryLoad(index))
        return; // reported; the box and the memory stay as they were
    box_.replaceRange(p, 0, memoryLetter(index));
    box_.setCaret(p + 1);
}
