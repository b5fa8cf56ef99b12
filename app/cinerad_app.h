// The application object: registers the document templates, creates the main window, opens
// demos, and holds what is shared by every open demo.
#pragma once

#include "command_target.h"
#include "doc_template.h"
#include "recent_file_list.h"

#include "editor/block_buffer.h"
#include "editor/special_buffer.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class CMainFrame;
class DocHost;
class QtUi;
class Ui;

// "Saved 1,071,651 bytes to PATH": the status line after a save.
QString SavedStatusText(qint64 bytes, const QString& path);

class CTreskApp : public QObject, public CommandTarget {
    Q_OBJECT
  public:
    CTreskApp();
    ~CTreskApp() override;

    // The one application object of the process (null before it is made).
    static CTreskApp* Instance();

    // Start-up: templates, main window (the options sheet on the first run), then the command
    // line: a demo path opens that demo. False when the program should end (the main window
    // could not be made, or the demo named on the command line could not be opened).
    bool InitInstance(const QStringList& arguments);
    // Writes the recent-file list.
    void ExitInstance();

    // Opens a demo in a new editor window, or activates the window of one already open. Shows
    // why and returns null when the file cannot be read.
    DocHost* OpenDocumentFile(const QString& path);
    // Saves a document under a path; on success the document takes that path.
    bool SaveDocument(DocHost& host, const QString& path);
    // Closes every window of a document; the document closes with its last window.
    void CloseDocument(DocHost& host);
    // Opens a further window of a template on an open document.
    bool OpenExtraFrame(CDocTemplate& tmpl, DocHost& host);

    CMainFrame* MainFrame() const { return mainFrame_; }
    CDocTemplateRegistry& Templates() { return templates_; }
    CRecentFileList& RecentFiles() { return recentFiles_; }
    const std::vector<DocHost*>& Documents() const { return documents_; }
    Ui& TheUi();
    // The block buffer of the whole run: filled by Copy and Cut in any demo's window, pasted
    // into any other. Empty at start.
    CBlockBuffer& BlockBuffer() { return blockBuffer_; }
    // The special-copy buffer beside it: the actor Copy Special collected, for Paste Special
    // into any open demo. Empty at start.
    CSpecialBuffer& SpecialBuffer() { return specialBuffer_; }

    // Templates that other views open extra windows with.
    CDocTemplate* overheadTemplate = nullptr;
    CDocTemplate* searchReportTemplate = nullptr;
    CDocTemplate* visibleEntitiesTemplate = nullptr;
    // Consulted before a message is deleted; nothing sets it, so the question is always asked.
    uint32_t skipMessageDeleteConfirmation = 0;

    std::optional<bool> CommandEnabled(int id) const override;
    bool OnCommand(int id) override;

  private:
    void RegisterTemplates();
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    void OnLastViewClosed(DocHost* host);
    void OnViewsChanged(DocHost* host);

    // Declared first so that it is destroyed last, after every view that points at it.
    CBlockBuffer blockBuffer_;
    CSpecialBuffer specialBuffer_;
    CDocTemplateRegistry templates_;
    CRecentFileList recentFiles_;
    CMainFrame* mainFrame_ = nullptr;
    std::vector<DocHost*> documents_;
    std::unique_ptr<QtUi> ui_;
};
