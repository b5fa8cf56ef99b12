#include "cinerad_app.h"

#include "about_dlg.h"
#include "doc_host.h"
#include "main_frame.h"
#include "overhead_view.h"
#include "qt_ui.h"
#include "search_report_view.h"
#include "tresk_view_form.h"
#include "vis_ents_view.h"

#include "demo/demo_saver.h"
#include "editor/command_ids.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QMdiSubWindow>

Q_DECLARE_LOGGING_CATEGORY(lcTiming)

namespace {

CTreskApp* theApp = nullptr;

const char* const kEditorDocString =
    "\nUntitled\nCinerad2\nQuake 2 Demos (*.dm2)\n.dm2\nCinerad2.Document\nCinerad 2 Document";
const char* const kExtraDocString = "Demos\ndemos\n\n\n\nTreskFileType\nTresk File Type";

QString CanonicalPath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

} // namespace

CTreskApp::CTreskApp() {
    theApp = this;
}

CTreskApp::~CTreskApp() {
    // The windows go first: their views let go of the documents before those close.
    CMainFrame* frame = mainFrame_;
    mainFrame_ = nullptr; // views that go now must not reach a frame being destroyed
    delete frame;
    for (DocHost* host : documents_) {
        delete host;
    }
    documents_.clear();
    if (theApp == this) {
        theApp = nullptr;
    }
}

CTreskApp* CTreskApp::Instance() {
    return theApp;
}

Ui& CTreskApp::TheUi() {
    if (!ui_) {
        ui_ = std::make_unique<QtUi>(mainFrame_);
    }
    return *ui_;
}

void CTreskApp::RegisterTemplates() {
    const QString extra = QString::fromLatin1(kExtraDocString);
    templates_.Add({kTemplateEditor, kTemplateEditor, kTemplateEditor,
                    QString::fromLatin1(kEditorDocString), true,
                    [this](DocHost& host, QWidget* parent) -> CView* {
                        auto* form = new CTreskViewForm(host, TheUi(), blockBuffer_, parent);
                        form->View().specialBuffer = &specialBuffer_;
                        return form;
                    }});
    overheadTemplate =
        &templates_.Add({kTemplateOverhead, kTemplateOverhead, 0, extra, false,
                         [this](DocHost& host, QWidget* parent) -> CView* {
                             return new COverheadView(host, TheUi(), parent);
                         }});
    searchReportTemplate =
        &templates_.Add({kTemplateSearchReport, kTemplateSearchReport, kTemplateSearchReport, extra,
                         false, [this](DocHost& host, QWidget* parent) -> CView* {
                             return new CSearchReportView(host, TheUi(), parent);
                         }});
    visibleEntitiesTemplate = &templates_.Add(
        {kTemplateVisibleEntities, kTemplateVisibleEntities, kTemplateVisibleEntities, extra, false,
         [this](DocHost& host, QWidget* parent) -> CView* {
             return new CVisEntsView(host, TheUi(), parent);
         }});
}

bool CTreskApp::InitInstance(const QStringList& arguments) {
    recentFiles_.Load();
    RegisterTemplates();

    mainFrame_ = new CMainFrame(*this);
    ui_ = std::make_unique<QtUi>(mainFrame_);
    InstallShowMessageHandler(mainFrame_);
    mainFrame_->LoadSettingsOnCreate();
    // The window shows before a demo named on the command line opens, so that the progress of
    // decoding a large demo has a window to stand over.
    mainFrame_->showMaximized();

    // A demo named on the command line opens; File New is refused by the document, so without
    // one the program starts with no document.
    QString path;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(QLatin1Char('-'))) {
            path = arguments[i];
            break;
        }
    }
    if (!path.isEmpty() && OpenDocumentFile(path) == nullptr) {
        return false;
    }
    return true;
}

void CTreskApp::ExitInstance() {
    recentFiles_.Save();
}

DocHost* CTreskApp::OpenDocumentFile(const QString& path) {
    const QString full = CanonicalPath(path);
    for (DocHost* host : documents_) {
        if (CanonicalPath(host->PathName()) == full && !host->Views().empty()) {
            QWidget* w = host->Views().front();
            while (w != nullptr && qobject_cast<QMdiSubWindow*>(w) == nullptr) {
                w = w->parentWidget();
            }
            if (w != nullptr) {
                mainFrame_->ActivateFrame(static_cast<QMdiSubWindow*>(w));
            }
            return host;
        }
    }

    QElapsedTimer timer;
    timer.start();
    auto doc = std::make_unique<CTreskDoc>();
    std::string error;
    if (!doc->OnOpenDocument(path.toStdString(), &error)) {
        QtUi::ShowWarning(mainFrame_, QString::fromStdString(error));
        return nullptr;
    }
    const qint64 readMs = timer.elapsed();
    auto* host = new DocHost(std::move(doc), this);
    connect(host, &DocHost::lastViewClosed, this, &CTreskApp::OnLastViewClosed);
    connect(host, &DocHost::viewsChanged, this, &CTreskApp::OnViewsChanged);
    documents_.push_back(host);
    mainFrame_->CreateFrame(*templates_.Find(kTemplateEditor), *host);
    recentFiles_.Add(path);
    qCInfo(lcTiming).noquote() << "opened" << QFileInfo(path).fileName() << "- read in" << readMs
                               << "ms, first block of play shown after" << timer.elapsed() << "ms";
    return host;
}

QString SavedStatusText(qint64 bytes, const QString& path) {
    return QObject::tr("Saved %1 bytes to %2")
        .arg(QLocale(QLocale::English).toString(bytes), QDir::toNativeSeparators(path));
}

bool CTreskApp::SaveDocument(DocHost& host, const QString& path) {
    std::string error;
    if (!host.Doc().OnSaveDocument(path.toStdString(), &error)) {
        QtUi::ShowWarning(mainFrame_, QString::fromStdString(error));
        return false;
    }
    host.SetPathName(path);
    host.MarkSaved();
    recentFiles_.Add(path);
    mainFrame_->UpdateFrameTitles(host);
    TheUi().ShowStatus(SavedStatusText(QFileInfo(path).size(), path).toStdString());
    // The save succeeded, but some frames may show the game a little less than their records.
    const std::string report = SaveReportText(host.Doc().lastSave);
    if (!report.empty()) {
        QtUi::ShowMessageBox(mainFrame_, QString::fromStdString(report));
    }
    return true;
}

void CTreskApp::CloseDocument(DocHost& host) {
    const std::vector<CView*> views = host.Views();
    for (CView* view : views) {
        QWidget* w = view;
        while (w != nullptr && qobject_cast<QMdiSubWindow*>(w) == nullptr) {
            w = w->parentWidget();
        }
        if (w != nullptr) {
            w->close();
        }
    }
}

bool CTreskApp::OpenExtraFrame(CDocTemplate& tmpl, DocHost& host) {
    return mainFrame_->CreateFrame(tmpl, host) != nullptr;
}

void CTreskApp::OnViewsChanged(DocHost* host) {
    if (!host->Views().empty() && mainFrame_ != nullptr) {
        mainFrame_->UpdateFrameTitles(*host);
    }
}

void CTreskApp::OnLastViewClosed(DocHost* host) {
    std::erase(documents_, host);
    host->deleteLater();
}

std::optional<bool> CTreskApp::CommandEnabled(int id) const {
    const bool hasDocument = mainFrame_ != nullptr && mainFrame_->ActiveHost() != nullptr;
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_APP_ABOUT:
        return true;
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_SEARCH_ADVANCED:
    case ID_VIEW_2D_OVERHEAD:
    case ID_VIEW_VISIBLE_ENTITIES:
        return hasDocument;
    default:
        break;
    }
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
        return id - ID_FILE_MRU_FILE1 < recentFiles_.Entries().size();
    }
    return std::nullopt;
}

bool CTreskApp::OnCommand(int id) {
    DocHost* host = mainFrame_ == nullptr ? nullptr : mainFrame_->ActiveHost();
    switch (id) {
    case ID_FILE_NEW:
        // The document refuses to be created empty: nothing opens and nothing is shown.
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_APP_ABOUT: {
        CAboutDialog dlg(mainFrame_);
        dlg.exec();
        return true;
    }
    case ID_FILE_CLOSE:
        if (host != nullptr) {
            CloseDocument(*host);
        }
        return true;
    case ID_VIEW_2D_OVERHEAD:
        // The map seen from above, in a window of its own on the demo.
        if (host != nullptr) {
            OpenExtraFrame(*overheadTemplate, *host);
        }
        return true;
    case ID_VIEW_VISIBLE_ENTITIES:
        // The current block's entities, in a window of their own on the demo.
        if (host != nullptr) {
            OpenExtraFrame(*visibleEntitiesTemplate, *host);
        }
        return true;
    case ID_SEARCH_ADVANCED:
        // A report frame of its own on the demo; it runs its search as it opens.
        if (host != nullptr) {
            OpenExtraFrame(*searchReportTemplate, *host);
        }
        return true;
    case ID_FILE_SAVE:
        if (host != nullptr) {
            SaveDocument(*host, host->PathName());
        }
        return true;
    case ID_FILE_SAVE_AS:
        if (host != nullptr) {
            const CDocTemplate* tmpl = templates_.FileTemplate();
            QString path = QFileDialog::getSaveFileName(mainFrame_, tr("Save As"), host->PathName(),
                                                        tmpl->FilterName());
            if (!path.isEmpty()) {
                if (QFileInfo(path).suffix().isEmpty()) {
                    path += tmpl->FilterExtension(); // ".dm2"
                }
                SaveDocument(*host, path);
            }
        }
        return true;
    default:
        break;
    }
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
        OnOpenRecentFile(id - ID_FILE_MRU_FILE1);
        return true;
    }
    return false;
}

void CTreskApp::OnFileOpen() {
    // The filter of the one template that opens files: "Quake 2 Demos (*.dm2)".
    const QString filter = templates_.FileTemplate()->FilterName() + tr(";;All Files (*)");
    const QString path = QFileDialog::getOpenFileName(mainFrame_, tr("Open"), QString(), filter);
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

void CTreskApp::OnOpenRecentFile(int index) {
    const QString path = recentFiles_.Entries().value(index);
    if (path.isEmpty()) {
        return;
    }
    if (OpenDocumentFile(path) == nullptr) {
        // A recent file that cannot be opened any more leaves the list.
        recentFiles_.Remove(index);
    }
}
