// The About window Form2: a picture (Image1) that carries the About text and
// an OK button "确定" that closes and discards the window.
#pragma once

#include <QDialog>
#include <QPixmap>

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

// The About picture, drawn once per showing in the window's own font.
QPixmap aboutPicture();
