// `tresk --screenshot FILE [--overhead] demo.dm2`: opens the demo, maximises its editor window
// (with --overhead: the 2D overhead view opened on it, View > 2D Overhead Preview) in a main
// window of a fixed size, saves a picture of the main window to FILE and ends. It runs on the
// offscreen platform too, which is how the pictures in the README are made. With
// `--with-preview` the demo's 3D preview is open too, its window drawn over the editor's.
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
// Takes "--overhead" out of the arguments; true when it was there.
bool TakeOverheadOption(QStringList& arguments);

// Maximises the active child window, lays the main window out at `size` and saves its picture.
bool SaveMaximisedScreenshot(CMainFrame& frame, const QString& file, QSize size = kScreenshotSize);

// Takes "--with-preview" out of the arguments; true when it was there.
bool TakeWithPreviewOption(QStringList& arguments);

// Opens the 3D preview of the active editor window as View > 3D Preview does, moves it some
// blocks into the play, and saves the maximised editor's picture with the preview
// window drawn over its lower right corner. False, with the reason on standard error, when
// the preview does not open or the picture cannot be written.
bool SaveScreenshotWithPreview(CMainFrame& frame, const QString& file,
                               QSize size = kScreenshotSize);
