// The progress indication while a demo is decoded: a progress dialog over the main window that
// follows the document's decoding, block by block, and a logged timing of the decode
// (category "cinerad.timing", enabled with QT_LOGGING_RULES="cinerad.timing.info=true").
#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include <cstdint>

class CTreskDoc;
class QProgressDialog;
class QWidget;

class DecodeProgress {
  public:
    // Watches the document's decoding until Finish() or destruction.
    DecodeProgress(CTreskDoc& doc, QWidget* parent);
    ~DecodeProgress();
    DecodeProgress(const DecodeProgress&) = delete;
    DecodeProgress& operator=(const DecodeProgress&) = delete;

    // Closes the dialog and logs the time taken.
    void Finish();

    // The progress dialog while it is up (null before the first update and after Finish).
    QProgressDialog* Dialog() const;
    // Whether the dialog was on screen at some point.
    bool WasShown() const { return shown_; }

  private:
    void OnProgress(uint32_t decoded, uint32_t total);

    CTreskDoc& doc_;
    QPointer<QWidget> parent_;
    QPointer<QProgressDialog> dialog_;
    QElapsedTimer timer_;
    uint32_t shownStep_ = 0;
    bool finished_ = false;
    bool shown_ = false; // the dialog came up (decoding took long enough)
};
