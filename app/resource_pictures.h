// The program's pictures, drawn in code: the title picture of the splash window and the About
// box (bitmap 207), the mark images of the visible-entities list (26018, 26019) and the link
// cursor of the About box's hyperlinks (cursor 208).
#pragma once

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QList>
#include <QPixmap>

constexpr int kTitlePictureWidth = 443;
constexpr int kTitlePictureHeight = 265;

// Bitmap 207: 443 x 265, 24 bits per pixel.
QImage TitlePicture();

// Bitmap 26018: eleven 16 x 16 images side by side: 0..9 the ten entity marks (a coloured
// symbol on light grey, in the colours red, blue, green, white, yellow, black, grey, grey,
// dark green, cyan), 10 an unmarked entity. White is the transparent colour.
QImage EntityMarkStrip();
// Bitmap 26019: two 16 x 16 state images: 0 unmarked, 1 marked. Pure red is transparent.
QImage EntityStateStrip();
// The colour of mark 0..9 in the strip (light grey for any other number).
QColor EntityMarkColour(int mark);
// The colour the picture of a strip treats as transparent.
inline QColor EntityMarkKeyColour() {
    return QColor(255, 255, 255);
}
inline QColor EntityStateKeyColour() {
    return QColor(255, 0, 0);
}
// Cuts a strip into square images of its height, the key colour made transparent (as an
// image list does).
QList<QPixmap> SplitImageStrip(const QImage& strip, const QColor& key);

// Cursor 208: a hand pointing to the left, its hot spot at the fingertip.
QCursor LinkCursor();
// The cursor's picture (32 x 32, transparent around the hand) and hot spot.
QPixmap LinkCursorPixmap();
QPoint LinkCursorHotSpot();
