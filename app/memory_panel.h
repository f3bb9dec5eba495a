// The memory buttons Command4 (A B C D X F G H I J) and the check box Check3
// "算式存入": ticked, a button stores the selection (or the whole text, which
// then leaves the box) into its memory and file, one store per tick;
// unticked, it inserts its letter at the caret and reloads the memory from
// its file.
#pragma once

#include <QGroupBox>

#include "app/memory_files.h"

class ExpressionBox;
class QCheckBox;
class QPushButton;

class MemoryPanel : public QGroupBox {
    Q_OBJECT
public:
    MemoryPanel(ExpressionBox& box, QWidget* parent = nullptr);

    QCheckBox* storeCheck() const { return storeCheck_; }

    // Command4 with button index 1 to 10.
    void press(int index);
    // The buttons' tool tips say what each memory holds.
    void showContents();

private:
    void store(int index);
    void recall(int index);

    ExpressionBox& box_;
    QCheckBox* storeCheck_;
    QPushButton* buttons_[kMemoryCount] = {};
};
