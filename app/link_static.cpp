#include "link_static.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QUrl>

namespace {

const char* const kAppTitle = "Cinerad II";
// How long a starting xdg-open is waited for before it is left to run on its own (it may stay
// until the program it started ends).
constexpr int kXdgOpenWaitMs = 5000;

// The failure codes that have a text of their own.
constexpr int kNoAssociation = 31;
constexpr int kFileNotFound = 2;
constexpr int kAssociationIncomplete = 27;

} // namespace

QString LinkErrorText(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("The operating system is out\nof memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied\naccess to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred. ");
    case 27:
        return QStringLiteral("The filename association is\nincomplete or invalid.");
    case 28:
        return QStringLiteral(
            "The DDE transaction could not\nbe completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral("The DDE transaction could not\nbe completed because other DDE "
                              "transactions\nwere being processed.");
    case 31:
        return QStringLiteral(
            "There is no application associated\nwith the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
    }
}

QString LinkErrorMessage(int code) {
    return QStringLiteral("Unable to open hyperlink:\n\n") + LinkErrorText(code);
}

int LinkCodeForXdgOpenExit(int exitCode) {
    switch (exitCode) {
    case 0:
        return kLinkOpened;
    case 1: // a malformed command line: the address is not one it understands
        return kAssociationIncomplete;
    case 2: // a file named by the address does not exist
        return kFileNotFound;
    default: // 3: no tool to open it with; 4: the opening failed
        return kNoAssociation;
    }
}

int OpenUrlWithSystem(const QString& url) {
    if (QDesktopServices::openUrl(QUrl(url))) {
        return kLinkOpened;
    }
    // The program and the address go as separate arguments: nothing is read by a shell.
    auto* process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) {
                             process->deleteLater();
                         }
                     });
    process->start(QStringLiteral("xdg-open"), {url});
    if (!process->waitForStarted()) {
        return kNoAssociation;
    }
    if (!process->waitForFinished(kXdgOpenWaitMs)) {
        return kLinkOpened; // still busy opening: it started, so take it as opened
    }
    if (process->exitStatus() != QProcess::NormalExit) {
        return kNoAssociation;
    }
    return LinkCodeForXdgOpenExit(process->exitCode());
}

CLinkStatic::CLinkStatic(const QString& text, QWidget* parent, const QString& url)
    : QLabel(text, parent), url_(url), opener_(OpenUrlWithSystem) {
    if (url_.isEmpty()) {
        url_ = text;
    }
    if (this->text().isEmpty()) {
        setText(url_);
    }
    setTextFormat(Qt::PlainText);
    setCursor(Qt::ArrowCursor);
    setToolTip(url_);
    ApplyLook();
    PositionWindow();
}

void CLinkStatic::SetURL(const QString& url) {
    url_ = url;
    PositionWindow();
    setToolTip(url_);
}

void CLinkStatic::SetColours(const QColor& link, const QColor& visited) {
    linkColour_ = link;
    visitedColour_ = visited;
    ApplyLook();
}

void CLinkStatic::SetVisited(bool visited) {
    visited_ = visited;
    ApplyLook();
}

void CLinkStatic::SetUnderline(bool underline) {
    underline_ = underline;
    ApplyLook();
    PositionWindow();
}

void CLinkStatic::SetLinkCursor(const QCursor& cursor) {
    setCursor(cursor);
}

void CLinkStatic::SetAdjustToFit(bool fit) {
    adjustToFit_ = fit;
    PositionWindow();
}

void CLinkStatic::ApplyLook() {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, TextColour());
    setPalette(pal);
    QFont f = font();
    f.setUnderline(underline_);
    setFont(f);
    update();
}

void CLinkStatic::PositionWindow() {
    if (!adjustToFit_) {
        return;
    }
    // The text's extent; the edge the alignment names stays where it was.
    const QSize extent = fontMetrics().size(Qt::TextSingleLine, text());
    const QRect old = geometry();
    QRect fitted(old.topLeft(), extent);
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignRight) {
        fitted.moveRight(old.right());
    } else if (align & Qt::AlignHCenter) {
        fitted.moveLeft(old.left() + (old.width() - extent.width()) / 2);
    }
    if (align & Qt::AlignVCenter) {
        fitted.moveTop(old.top() + (old.height() - extent.height()) / 2);
    }
    setFixedSize(extent);
    setGeometry(fitted);
}

int CLinkStatic::Open() {
    const int code = opener_ ? opener_(url_) : kNoAssociation;
    if (code > 32) {
        SetVisited(true);
    } else {
        QApplication::beep();
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                        LinkErrorMessage(code), QMessageBox::Ok, window());
        box.setObjectName(QStringLiteral("LinkError"));
        box.exec();
    }
    return code;
}

void CLinkStatic::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void CLinkStatic::mouseReleaseEvent(QMouseEvent* event) {
    // A click: pressed and released on the control with the left button.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        Open();
    }
}
