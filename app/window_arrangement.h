// Where the child windows of the main window go: the place of a new window, and the
// Cascade and Tile commands of the Window menu. Every window is sized freely, so both work
// whatever size the windows and the main window have.
#pragma once

#include <QPoint>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace window_arrangement {

// How far each window of a cascade sits below and to the right of the one before.
int CascadeStep(const QMdiArea& area);

// Whether a window whose top left corner is `at` keeps its caption inside the area.
bool StaysInArea(const QMdiArea& area, QPoint at);

// Where a new window goes: one step on from the window opened before it, or the top left
// corner when there is none (or it is maximised or minimised) or the step would take the new
// window's caption out of the area.
QPoint NewFramePosition(const QMdiArea& area, const QMdiSubWindow* previous);

// Cascade: the windows overlap, each one step on from the one before and as large as the
// area leaves room for (never larger than it was); restored first when maximised.
void Cascade(QMdiArea& area);

// Tile: horizontal tiles stack the windows from top to bottom, vertical ones set them side by
// side; each window fills its tile.
enum class TileDirection { Horizontal, Vertical };
void Tile(QMdiArea& area, TileDirection direction);

} // namespace window_arrangement
