// `tresk --screenshot FILE demo.dm2`: opens the demo, maximises its editor window in a main
// window of a fixed size, saves a picture of the main window to FILE and ends. It runs on the
// offscreen platform too, which is how the picture in the README is made.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class CMainFrame;

// The size of the main window in the picture.
constexpr QSize kScreenshotSize(1280, 860);

// Takes "--screenshot FILE" out of the arguments; the FILE, or empty when the option is absent
// (or has no file after it, which `valid` reports as false).
QString TakeScreenshotOption(QStringList& arguments, bool* valid);

// Maximises the active child window, lays the main window out at `size` and saves its picture.
bool SaveMaximisedScreenshot(CMainFrame& frame, const QString& file, QSize size = kScreenshotSize);
