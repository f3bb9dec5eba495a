// What the window remembers between sessions: its size and position, and
// nothing else. The precision box and the check boxes start the same way
// every time (empty precision, 科学计数 ticked, the others not), so a result
// never depends on a setting left over from an earlier session.
#pragma once

class QWidget;

// Puts the window where the last session left it; a first start (or a stored
// place off every screen) keeps the window's own size and lets the window
// system place it.
void restoreWindowPlacement(QWidget& window);

// Stores the window's size and position (~/.config/quorra/quorra.conf).
void saveWindowPlacement(const QWidget& window);
