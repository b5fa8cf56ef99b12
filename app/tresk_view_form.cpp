#include "tresk_view_form.h"

#include "audio_sink_player.h"
#include "cinerad_app.h"
#include "decode_progress.h"
#include "doc_host.h"
#include "film_video_dlg.h"
#include "filmstrip_bar.h"
#include "floating_list_dlg.h"
#include "form_keys.h"
#include "main_frame.h"
#include "page_widget.h"
#include "qt_preview_window.h"

#include "demo/app_settings.h"
#include "editor/command_ids.h"
#include "editor/history_commands.h"
#include "editor/pages/message_page.h"
#include "preview/preview_driver.h"

#include <QCoreApplication>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// The smallest page area: as large as most pages need without scrolling. A larger window
// gives the page area the extra room.
constexpr int kPageAreaWidth = 560;
constexpr int kPageAreaHeight = 330;

int ClampToInt(uint32_t value) {
    return static_cast<int>(std::min<uint32_t>(value, std::numeric_limits<int>::max()));
}

} // namespace

CTreskViewForm::CTreskViewForm(DocHost& host, Ui& ui, CBlockBuffer& blockBuffer, QWidget* parent)
    : CView(host, parent) {
    setObjectName(QStringLiteral("101"));
    setFocusPolicy(Qt::StrongFocus);
    // The form's controls sit in a scroll area: a window smaller than the form scrolls it, a
    // larger one stretches it.
    formArea_ = new QScrollArea(this);
    formArea_->setObjectName(QStringLiteral("FormArea"));
    formArea_->setWidgetResizable(true);
    formArea_->setFrameShape(QFrame::NoFrame);
    formArea_->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget(formArea_);
    content->setObjectName(QStringLiteral("FormContent"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(formArea_);

    // Every button has a mnemonic that no menu title of the editor uses; the two GOTO buttons
    // share theirs, as the three restore buttons do, and Alt steps between them.
    // "Block Info:": the block buttons, the selection text and the block position.
    auto* blockGroup = new QGroupBox(tr("Block Info:"), content);
    auto* blockButtons = new QHBoxLayout;
    blockButtons->addWidget(AddButton(IDC_PREVIOUS_BLOCK, tr("&PREVIOUS"), blockGroup));
    blockButtons->addWidget(AddButton(IDC_NEXT_BLOCK, tr("&NEXT"), blockGroup));
    blockButtons->addWidget(AddButton(IDC_GOTO_BLOCK, tr("&GOTO"), blockGroup));
    blockButtons->addWidget(AddButton(IDC_SELECT, tr("SELE&CT"), blockGroup));
    selectionText_ = new QLabel(blockGroup);
    selectionText_->setObjectName(QString::number(IDC_SELECTION_TEXT));
    selectionText_->setMinimumWidth(180);
    auto* selectionRow = new QHBoxLayout;
    selectionRow->addWidget(new QLabel(tr("SELECTED BLOCKS:"), blockGroup));
    selectionRow->addWidget(selectionText_, 1);
    progress_ = new QProgressBar(blockGroup);
    progress_->setObjectName(QString::number(IDC_BLOCK_PROGRESS));
    progress_->setTextVisible(false);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    auto* blockLayout = new QVBoxLayout(blockGroup);
    blockLayout->addLayout(blockButtons);
    blockLayout->addLayout(selectionRow);
    blockLayout->addWidget(progress_);

    // "Backup/Restore:": B1 to B3 keep a snapshot of the demo, R1 to R3 bring it back. The
    // digits are the store buttons' mnemonics; Alt+R steps through the restore buttons.
    auto* backupGroup = new QGroupBox(tr("Backup/Restore:"), content);
    auto* backupLayout = new QGridLayout(backupGroup);
    const int backups[] = {IDC_BACKUP_B1, IDC_BACKUP_B2, IDC_BACKUP_B3};
    const int restores[] = {IDC_RESTORE_R1, IDC_RESTORE_R2, IDC_RESTORE_R3};
    for (int i = 0; i < 3; ++i) {
        QPushButton* store = AddButton(backups[i], tr("B&%1").arg(i + 1), backupGroup);
        store->setToolTip(tr("Store the demo as it is now in snapshot %1").arg(i + 1));
        backupLayout->addWidget(store, 0, i);
        QPushButton* restore = AddButton(restores[i], tr("&R%1").arg(i + 1), backupGroup);
        restore->setToolTip(tr("Restore the demo from snapshot %1").arg(i + 1));
        backupLayout->addWidget(restore, 1, i);
    }
    QPushButton* filmstrip = AddButton(IDC_REFRESH_FILMSTRIP, tr("Refresh Fil&mstrip"), content);
    // The filmstrip is refreshed by the 3D preview, which this window does not offer yet.
    filmstrip->setEnabled(false);

    // "Message Info:": the message buttons, name and number texts and the edit page.
    auto* messageGroup = new QGroupBox(tr("Message Info:"), content);
    auto* messageButtons = new QHBoxLayout;
    messageButtons->addWidget(AddButton(IDC_PREVIOUS_MESSAGE, tr("PREV&IOUS"), messageGroup));
    messageButtons->addWidget(AddButton(IDC_NEXT_MESSAGE, tr("NEX&T"), messageGroup));
    messageButtons->addWidget(AddButton(IDC_GOTO_MESSAGE, tr("&GOTO"), messageGroup));
    messageButtons->addWidget(AddButton(IDC_DELETE_MESSAGE, tr("&DELETE"), messageGroup));
    nameText_ = new QLabel(messageGroup);
    nameText_->setObjectName(QString::number(IDC_NAME_TEXT));
    numberText_ = new QLabel(messageGroup);
    numberText_->setObjectName(QString::number(IDC_NUMBER_TEXT));
    numberText_->setAlignment(Qt::AlignCenter);
    auto* textsRow = new QHBoxLayout;
    textsRow->addWidget(new QLabel(tr("NAME:"), messageGroup));
    textsRow->addWidget(nameText_, 2);
    textsRow->addWidget(new QLabel(tr("NUMBER:"), messageGroup));
    textsRow->addWidget(numberText_, 1);
    pageArea_ = new QScrollArea(messageGroup);
    pageArea_->setObjectName(QStringLiteral("PageArea"));
    pageArea_->setWidgetResizable(true);
    pageArea_->setFrameShape(QFrame::NoFrame);
    pageArea_->setMinimumSize(kPageAreaWidth, kPageAreaHeight);
    pageArea_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* messageLayout = new QVBoxLayout(messageGroup);
    messageLayout->addLayout(messageButtons);
    messageLayout->addLayout(textsRow);
    messageLayout->addWidget(pageArea_, 1);

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(backupGroup);
    rightColumn->addWidget(filmstrip);
    rightColumn->addStretch();
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(blockGroup, 1);
    topRow->addLayout(rightColumn);
    auto* layout = new QVBoxLayout(content);
    layout->addLayout(topRow);
    layout->addWidget(messageGroup, 1);
    formArea_->setWidget(content);

    // The navigation keys run like the buttons they stand for.
    new FormKeyFilter(this, [this](int id) { OnButton(id); });

    view_ = std::make_unique<CTreskView>(host.Doc(), ui, *this);
    view_->blockBuffer = &blockBuffer;
    previewFactory_ = std::make_unique<QtPreviewWindowFactory>();
    previewTimers_ = new QtPreviewTimers([this](int timer) { preview_->OnTimer(timer); }, this);
    CTreskApp* app = CTreskApp::Instance();
    CFilmStripBar* filmStrip =
        app != nullptr && app->MainFrame() != nullptr ? app->MainFrame()->FilmStrip() : nullptr;
    preview_ =
        std::make_unique<CPreviewDriver>(*view_, *previewFactory_, *previewTimers_, filmStrip);
    preview_->onClosedByWindow = [this] { emit commandStateChanged(); };
    // Undo and Redo run through the document's undo stack, whose entries move the history
    // and bring this view to where the command ran.
    view_->historyHooks.undo = [this] { Host().UndoStack()->undo(); };
    view_->historyHooks.redo = [this] { Host().UndoStack()->redo(); };
    host.moveHistory = [this](bool undo) {
        if (undo) {
            UndoInView(*view_);
        } else {
            RedoInView(*view_);
        }
    };
}

CTreskViewForm::~CTreskViewForm() {
    Host().moveHistory = nullptr;
    // Closing the view closes its preview.
    preview_.reset();
    // The view unregisters from the document while the form's widgets still exist.
    view_.reset();
}

QPushButton* CTreskViewForm::AddButton(int id, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
    return button;
}

void CTreskViewForm::OnButton(int id) {
    if (RunPreviewCommand(id)) {
        emit commandStateChanged();
        return;
    }
    view_->OnCommand(id);
    emit commandStateChanged();
}

void CTreskViewForm::OnInitialUpdate() {
    CTreskDoc& doc = Host().Doc();
    DecodeProgress progress(doc, window());
    view_->OnInitialUpdate(TheAppSettings().quake2Path);
    progress.Finish();
}

namespace {

// Commands that change the block list: the preview's playback stops before them.
bool ChangesBlockList(int id) {
    switch (id) {
    case ID_EDIT_CUT:
    case ID_EDIT_PASTE:
    case ID_EDIT_DELETE_BLOCKS:
    case ID_SEL_REVERSE:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
    case IDC_DELETE_MESSAGE:
    case IDC_RESTORE_R1:
    case IDC_RESTORE_R2:
    case IDC_RESTORE_R3:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CTreskViewForm::RunPreviewCommand(int id) {
    if (id == ID_VIEW_3D_PREVIEW || id == ID_SEL_RENDER_VIDEO) {
        const AppSettings& settings = TheAppSettings();
        PreviewOptions options;
        options.quake2Path = settings.quake2Path;
        options.gamma = settings.gamma;
        options.width = settings.previewWidth;
        options.height = settings.previewHeight;
        options.useOpenGL = settings.useOpenGL;
        options.programDir = QCoreApplication::applicationDirPath().toStdString();
        if (id == ID_SEL_RENDER_VIDEO) {
            preview_->StopPlayback();
            if (!preview_->IsOpen()) {
                preview_->SetOptions(options);
            }
            RenderSelectionToVideo(this, *view_, *preview_, options);
            return true;
        }
        preview_->SetOptions(options);
        preview_->OnPreview3d();
        return true;
    }
    if (id == IDC_REFRESH_FILMSTRIP) {
        preview_->RefreshFilmstrip();
        return true;
    }
    if (ChangesBlockList(id)) {
        preview_->StopPlayback();
    }
    return false;
}

std::optional<bool> CTreskViewForm::CommandEnabled(int id) const {
    if (id == ID_VIEW_3D_PREVIEW || id == IDC_REFRESH_FILMSTRIP || id == ID_SEL_RENDER_VIDEO) {
        return view_->HasCurrentBlock();
    }
    // Paste and Clear Buffer follow the shared block buffer, so the answer can change when a
    // command runs in another demo's window.
    if (!view_->IsCommandEnabledNow(id)) {
        return false;
    }
    if (CTreskView::HandlesCommand(id) || id == ID_VIEW_MODELS || id == ID_VIEW_SOUNDS) {
        return true;
    }
    return std::nullopt;
}

QDialog* CTreskViewForm::OpenFloatingList(int id) {
    // A further window each time; it belongs to this view and closes with it.
    QDialog* dlg = nullptr;
    if (id == ID_VIEW_MODELS) {
        dlg = new CModelListDlg(Host().Doc(), this);
    } else if (id == ID_VIEW_SOUNDS) {
        dlg = new CSoundListDlg(Host().Doc(), view_->GetUi(), ProgramSoundPlayer(), this);
    }
    if (dlg != nullptr) {
        dlg->show();
    }
    return dlg;
}

bool CTreskViewForm::OnCommand(int id) {
    const std::optional<bool> enabled = CommandEnabled(id);
    if (!enabled.has_value() || !*enabled) {
        return false;
    }
    if (RunPreviewCommand(id)) {
        emit commandStateChanged();
        return true;
    }
    if (id == ID_VIEW_MODELS || id == ID_VIEW_SOUNDS) {
        OpenFloatingList(id);
        return true;
    }
    view_->OnCommand(id);
    emit commandStateChanged();
    return true;
}

void CTreskViewForm::SetSelectionText(const std::string& text) {
    selectionText_->setText(QString::fromStdString(text));
}

void CTreskViewForm::SetNameText(const std::string& text) {
    nameText_->setText(QString::fromStdString(text));
}

void CTreskViewForm::SetNumberText(const std::string& text) {
    numberText_->setText(QString::fromStdString(text));
}

void CTreskViewForm::SetProgressRange(uint32_t lower, uint32_t upper) {
    progress_->setRange(ClampToInt(lower), ClampToInt(upper));
}

void CTreskViewForm::SetProgressPosition(uint32_t position) {
    progress_->setValue(ClampToInt(position));
}

void CTreskViewForm::ShowPage(const MessagePage& page) {
    DestroyPage();
    auto* widget = new CPageWidget(
        page, [this](const std::string& key) { view_->OnPageButton(key); }, pageArea_);
    pageArea_->setWidget(widget);
    pageWidget_ = widget;
}

void CTreskViewForm::UpdatePage(const MessagePage& page) {
    if (pageWidget_) {
        pageWidget_->ShowValues(page);
    }
}

void CTreskViewForm::DestroyPage() {
    if (pageWidget_) {
        // The page may be destroyed from inside one of its own buttons' handlers.
        QWidget* old = pageArea_->takeWidget();
        old->hide();
        old->deleteLater();
        pageWidget_ = nullptr;
    }
}

void CTreskViewForm::StorePageFields(MessagePage& page) {
    if (pageWidget_ && pageWidget_->ResourceId() == page.ResourceId()) {
        pageWidget_->StoreValues(page);
    }
}

void CTreskViewForm::FocusView() {
    setFocus();
}

QSize CTreskViewForm::sizeHint() const {
    // The whole form without scroll bars.
    const QWidget* content = formArea_->widget();
    return content == nullptr ? QWidget::sizeHint() : content->sizeHint();
}

CPageWidget* CTreskViewForm::PageWidget() const {
    return pageWidget_;
}
