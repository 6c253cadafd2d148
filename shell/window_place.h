// Where the window opens: the first time at the largest whole scale of the picture that fits about two
// thirds of the screen's height, later at the size and place the player left it, kept with the program's
// settings and brought back within the screen should it no longer fit.
#pragma once

#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace tessel {

// The window's size at its first start on a screen whose available area is `available` (logical pixels,
// `dpr` device pixels each), the menu bar `menuBarHeight` high: the picture at the largest whole number of
// device pixels per game pixel whose height is at most two thirds of the available height and whose window
// fits the available width, 1 at the least, with one white pixel right and below as at scale 1.
QSize FirstWindowSize(QRect available, qreal dpr, int menuBarHeight);

// The rectangle moved, and shrunk where it must be, to lie within `available`.
QRect FitWithin(QRect window, QRect available);

// Gives the window the size and place kept in `settings`, fitted to the screen it was on (or the primary
// one), or the first size when none is kept or what is kept cannot be read.
void PlaceWindow(QWidget& window, QSettings& settings, int menuBarHeight);

// Keeps the window's size and place in `settings`.
void KeepWindowPlace(const QWidget& window, QSettings& settings);

}  // namespace tessel
