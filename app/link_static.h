// A text that behaves as a hyperlink: coloured and underlined, a link cursor, a tool tip
// showing its address, opened in the system's browser or mail program when clicked, and a
// readable error box when that fails.
#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <QString>

#include <functional>

// Opens an address and answers a result code: above 32 it succeeded, 32 or below is the
// failure whose text LinkErrorText gives.
using UrlOpener = std::function<int(const QString& url)>;

// The result code of a successful open.
constexpr int kLinkOpened = 33;

// The system's way: QDesktopServices, then `xdg-open` with the address as its one argument
// (never through a shell). When neither can start, 31 (no application for the address);
// xdg-open's own failures map to the nearest code.
int OpenUrlWithSystem(const QString& url);
// The code for an xdg-open that ran and ended with `exitCode` (0 is success).
int LinkCodeForXdgOpenExit(int exitCode);

// The text for a failure code ("There is no application associated\nwith the given filename
// extension." for 31; "Unknown Error (99) occurred." for a code without a text of its own).
QString LinkErrorText(int code);
// The whole error box text: "Unable to open hyperlink:\n\n" and the code's text.
QString LinkErrorMessage(int code);

class CLinkStatic : public QLabel {
    Q_OBJECT
  public:
    // Takes the caption; an empty URL becomes the caption, an empty caption the URL.
    explicit CLinkStatic(const QString& text, QWidget* parent = nullptr,
                         const QString& url = QString());

    const QString& URL() const { return url_; }
    // Replaces the address, refits the control and updates the tip.
    void SetURL(const QString& url);
    void SetColours(const QColor& link, const QColor& visited);
    QColor LinkColour() const { return linkColour_; }
    QColor VisitedColour() const { return visitedColour_; }
    void SetVisited(bool visited);
    bool Visited() const { return visited_; }
    void SetUnderline(bool underline);
    bool Underline() const { return underline_; }
    void SetLinkCursor(const QCursor& cursor);
    // Fits the control to its text after each change of text or address (on by default).
    void SetAdjustToFit(bool fit);
    // The colour the text is drawn in now.
    QColor TextColour() const { return visited_ ? visitedColour_ : linkColour_; }

    // Replaces the system's opener (tests).
    void SetOpener(UrlOpener opener) { opener_ = std::move(opener); }
    // Opens the address as a click does: visited on success, else a warning beep and the
    // error box. Returns the opener's code.
    int Open();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void ApplyLook();
    void PositionWindow();

    QString url_;
    QColor linkColour_{0, 0, 238};
    QColor visitedColour_{85, 26, 139};
    bool visited_ = false;
    bool underline_ = true;
    bool adjustToFit_ = true;
    bool pressed_ = false;
    UrlOpener opener_;
};
