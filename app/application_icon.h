// The calculator's icon: the one the desktop's icon theme carries once the
// program is installed, else the same picture built into the program.
#pragma once

#include <QIcon>

QIcon applicationIcon();
