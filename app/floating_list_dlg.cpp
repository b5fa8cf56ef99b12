#include "floating_list_dlg.h"

#include "demo/tresk_doc.h"
#include "editor/sound_audition.h"

#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

namespace {

constexpr int kMargin = 2;
constexpr int kGap = 4;
// Dialog units of the dialogs' 8-point font, in pixels: 6/4 across, 13/8 down.
int DuToPixelsX(int du) {
    return du * 6 / 4;
}
int DuToPixelsY(int du) {
    return du * 13 / 8;
}

} // namespace

QString FloatingListRowText(const ConfigStringTable& table, int row) {
    return QStringLiteral("%1.%2").arg(row + 1).arg(QString::fromLatin1(table.Entry(row).c_str()));
}

CFloatingListDlg::CFloatingListDlg(CTreskDoc& doc, int dialogId, const QString& title, int listId,
                                   const QString& buttonText, int widthDu, int heightDu,
                                   QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      doc_(doc) {
    setObjectName(QString::number(dialogId));
    setWindowTitle(title);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    list_ = new QListWidget(this);
    list_->setObjectName(QString::number(listId));
    list_->setSortingEnabled(false);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    button_ = new QPushButton(buttonText, this);
    button_->setObjectName(QStringLiteral("1199"));
    button_->setAutoDefault(false);
    connect(button_, &QPushButton::clicked, this, [this] { OnButton(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnButton(); });
    resize(DuToPixelsX(widthDu), DuToPixelsY(heightDu));
}

void CFloatingListDlg::OnInitDialog(const ConfigStringTable& table) {
    for (int r = 0; r < table.Count(); ++r) {
        list_->addItem(FloatingListRowText(table, r));
    }
    buttonHeight_ = button_->sizeHint().height();
    ready_ = true;
    Layout(size());
}

void CFloatingListDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (ready_ && !isMinimized()) {
        Layout(event->size());
    }
}

void CFloatingListDlg::Layout(const QSize& client) {
    // A 2-pixel margin round both, 4 pixels between them, the button keeping its height.
    const int w = client.width();
    const int h = client.height();
    const int b = buttonHeight_;
    list_->setGeometry(kMargin, kMargin, std::max(w - 2 * kMargin, 0),
                       std::max(h - 2 * kMargin - kGap - b, 0));
    button_->setGeometry(kMargin, h - b - kMargin, std::max(w - 2 * kMargin, 0), b);
}

CModelListDlg::CModelListDlg(CTreskDoc& doc, QWidget* parent)
    : CFloatingListDlg(doc, 190, tr("Models"), 1132, tr("&View Model"), 142, 250, parent) {
    OnInitDialog(doc.modelTable);
}

void CModelListDlg::OnButton() {
    const int row = List()->currentRow();
    if (row < 0) {
        return; // no row selected: nothing to show
    }
    Document().UpdateAllViews(nullptr, kHintShowModel, {static_cast<uint32_t>(row), 0});
}

CSoundListDlg::CSoundListDlg(CTreskDoc& doc, Ui& ui, SoundPlayer& player, QWidget* parent)
    : CFloatingListDlg(doc, 191, tr("Sounds"), 1133, tr("&Audition Sound"), 142, 255, parent),
      ui_(ui), player_(player) {
    OnInitDialog(doc.soundTable);
}

void CSoundListDlg::OnButton() {
    const int row = List()->currentRow();
    if (row < 0) {
        return;
    }
    AuditionSound(Document(), row, player_, ui_);
}
