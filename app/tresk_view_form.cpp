#include "tresk_view_form.h"

#include "audio_sink_player.h"
#include "decode_progress.h"
#include "doc_host.h"
#include "floating_list_dlg.h"
#include "page_widget.h"

#include "demo/app_settings.h"
#include "editor/command_ids.h"
#include "editor/history_commands.h"
#include "editor/pages/message_page.h"

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

// Commands of the menus that the editor view carries out itself.
// The page area is as tall as the largest page needs without scrolling in most cases.
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

    // "Block Info:": the block buttons, the selection text and the block position.
    auto* blockGroup = new QGroupBox(tr("Block Info:"), this);
    auto* blockButtons = new QHBoxLayout;
    blockButtons->addWidget(AddButton(IDC_PREVIOUS_BLOCK, tr("PREVIOUS"), blockGroup));
    blockButtons->addWidget(AddButton(IDC_NEXT_BLOCK, tr("NEXT"), blockGroup));
    blockButtons->addWidget(AddButton(IDC_GOTO_BLOCK, tr("GOTO"), blockGroup));
    blockButtons->addWidget(AddButton(IDC_SELECT, tr("SELECT"), blockGroup));
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

    // "Backup/Restore:": B1 to R3 have no action, as they never had.
    auto* backupGroup = new QGroupBox(tr("Backup/Restore:"), this);
    auto* backupLayout = new QGridLayout(backupGroup);
    backupLayout->addWidget(AddButton(IDC_BACKUP_B1, tr("B1"), backupGroup), 0, 0);
    backupLayout->addWidget(AddButton(IDC_BACKUP_B2, tr("B2"), backupGroup), 0, 1);
    backupLayout->addWidget(AddButton(IDC_BACKUP_B3, tr("B3"), backupGroup), 0, 2);
    backupLayout->addWidget(AddButton(IDC_RESTORE_R1, tr("R1"), backupGroup), 1, 0);
    backupLayout->addWidget(AddButton(IDC_RESTORE_R2, tr("R2"), backupGroup), 1, 1);
    backupLayout->addWidget(AddButton(IDC_RESTORE_R3, tr("R3"), backupGroup), 1, 2);
    QPushButton* filmstrip = AddButton(IDC_REFRESH_FILMSTRIP, tr("Refresh Filmstrip"), this);
    // The filmstrip is refreshed by the 3D preview, which this window does not offer yet.
    filmstrip->setEnabled(false);

    // "Message Info:": the message buttons, name and number texts and the edit page.
    auto* messageGroup = new QGroupBox(tr("Message Info:"), this);
    auto* messageButtons = new QHBoxLayout;
    messageButtons->addWidget(AddButton(IDC_PREVIOUS_MESSAGE, tr("PREVIOUS"), messageGroup));
    messageButtons->addWidget(AddButton(IDC_NEXT_MESSAGE, tr("NEXT"), messageGroup));
    messageButtons->addWidget(AddButton(IDC_GOTO_MESSAGE, tr("GOTO"), messageGroup));
    messageButtons->addWidget(AddButton(IDC_DELETE_MESSAGE, tr("DELETE"), messageGroup));
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
    pageArea_->setFixedSize(kPageAreaWidth, kPageAreaHeight);
    auto* messageLayout = new QVBoxLayout(messageGroup);
    messageLayout->addLayout(messageButtons);
    messageLayout->addLayout(textsRow);
    messageLayout->addWidget(pageArea_);

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(backupGroup);
    rightColumn->addWidget(filmstrip);
    rightColumn->addStretch();
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(blockGroup, 1);
    topRow->addLayout(rightColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topRow);
    layout->addWidget(messageGroup, 1);

    view_ = std::make_unique<CTreskView>(host.Doc(), ui, *this);
    view_->blockBuffer = &blockBuffer;
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
    view_->OnCommand(id);
    emit commandStateChanged();
}

void CTreskViewForm::OnInitialUpdate() {
    CTreskDoc& doc = Host().Doc();
    DecodeProgress progress(doc, window());
    view_->OnInitialUpdate(TheAppSettings().quake2Path);
    progress.Finish();
}

std::optional<bool> CTreskViewForm::CommandEnabled(int id) const {
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

CPageWidget* CTreskViewForm::PageWidget() const {
    return pageWidget_;
}
