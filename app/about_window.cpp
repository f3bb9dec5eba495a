#include "app/about_window.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureWidth = 440;
constexpr int kPictureHeight = 230;

} // namespace

QPixmap aboutPicture()
{
    QPixmap picture(kPictureWidth, kPictureHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, kPictureHeight);
    background.setColorAt(0.0, QColor(0x1f, 0x3b, 0x63));
    background.setColorAt(1.0, QColor(0x2e, 0x6a, 0x8e));
    painter.fillRect(picture.rect(), background);

    QFont base = QApplication::font();
    QFont title = base;
    title.setPointSizeF(base.pointSizeF() * 1.6);
    title.setBold(true);

    // A large π as the emblem, left of the text.
    QFont emblem = base;
    emblem.setPointSizeF(base.pointSizeF() * 5.0);
    emblem.setBold(true);
    painter.setFont(emblem);
    painter.setPen(QColor(255, 255, 255, 70));
    painter.drawText(QRect(10, 20, 110, 140), Qt::AlignCenter, QStringLiteral("π"));

    painter.setPen(Qt::white);
    painter.setFont(title);
    painter.drawText(QRect(120, 24, kPictureWidth - 130, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Velder高精度表达式计算器"));

    painter.setFont(base);
    const QStringList lines = {
        QStringLiteral("十进制任意精度的表达式计算"),
        QStringLiteral("结果最多 10000 位有效数字"),
        QStringLiteral("四则运算、乘方、开方、阶乘"),
        QStringLiteral("对数、三角与双曲函数，记忆 A-J"),
    };
    int y = 76;
    for (const QString& line : lines) {
        painter.drawText(QRect(120, y, kPictureWidth - 130, 24), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += 26;
    }
    painter.setPen(QColor(0xc8, 0xdc, 0xf0));
    painter.drawText(QRect(0, kPictureHeight - 34, kPictureWidth - 14, 24), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Quorra 1.0"));
    return picture;
}

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("关于Velder高精度表达式计算器"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(aboutPicture());

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(image);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
