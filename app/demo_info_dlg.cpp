#include "demo_info_dlg.h"

#include "demo/tresk_doc.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A text field of the dialog: its control, its label and the data member it exchanges.
struct Field {
    int id;
    const char* label;
    std::string DemoInfoDlgData::*text;
};

constexpr Field kFields[] = {
    {IDC_INFO_MAP_NAME, "Map Name:", &DemoInfoDlgData::levelName},
    {IDC_INFO_LEVEL_NAME, "Level Name:", &DemoInfoDlgData::mapName},
    {IDC_INFO_CHECKSUM, "Checksum:", &DemoInfoDlgData::mapChecksum},
    {IDC_INFO_CD_TRACK, "CD Track:", &DemoInfoDlgData::cdTrack},
    {IDC_INFO_SERVER_VERSION, "Server ver:", &DemoInfoDlgData::protocolVersion},
    {IDC_INFO_MAX_PLAYERS, "Max Players:", &DemoInfoDlgData::maxClients},
    {IDC_INFO_PLAYER_NUMBER, "Invisible Player (Entity # - 1):", &DemoInfoDlgData::playerNumber},
    {IDC_INFO_SKY_NAME, "Texture Name:", &DemoInfoDlgData::skyName},
    {IDC_INFO_SKY_ROTATE, "Rotational Speed:", &DemoInfoDlgData::skyRotate},
    {IDC_INFO_SKY_AXIS, "Axis (x y z):", &DemoInfoDlgData::skyAxis},
};

constexpr int kSkyFields = 3; // the last three, in the group "Sky Settings"

QString Id(int id) {
    return QString::number(id);
}

QListWidget* MakeList(int id, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(Id(id));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    return list;
}

// Selecting a row in one list selects the same row in the other.
void Pair(QListWidget* a, QListWidget* b) {
    QObject::connect(a, &QListWidget::currentRowChanged, b, [b](int row) {
        if (b->currentRow() != row) {
            b->setCurrentRow(row);
        }
    });
}

} // namespace

CDemoInfoDlg::CDemoInfoDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(Id(IDD_DEMO_INFO));
    setWindowTitle(tr("Demo Info"));

    auto* fields = new QFormLayout;
    for (size_t i = 0; i + kSkyFields < std::size(kFields); ++i) {
        fields->addRow(tr(kFields[i].label), AddField(kFields[i].id));
    }
    auto* help = new QLabel(QString::fromLatin1(kServerVersionHelpText), this);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(help);

    auto* sky = new QGroupBox(tr("Sky Settings"), this);
    auto* skyFields = new QFormLayout(sky);
    for (size_t i = std::size(kFields) - kSkyFields; i < std::size(kFields); ++i) {
        skyFields->addRow(tr(kFields[i].label), AddField(kFields[i].id));
    }

    auto* precache = new QGroupBox(
        tr("Precache Lists (Models, Sounds, Images, Lightstyles, Inventory, Skins)"), this);
    auto* grid = new QGridLayout(precache);
    int column = 0;
    for (const DemoInfoTableLayout& layout : DemoInfoTableLayouts()) {
        ListPair& pair = lists_[static_cast<size_t>(layout.table)];
        pair.index = MakeList(layout.indexListId, precache);
        pair.names = MakeList(layout.nameListId, precache);
        pair.index->setMaximumWidth(48);
        grid->addWidget(pair.index, 0, column);
        grid->addWidget(pair.names, 0, column + 1);
        auto* buttons = new QHBoxLayout;
        auto button = [&](int id, const QString& text, auto slot) {
            auto* b = new QPushButton(text, precache);
            b->setObjectName(Id(id));
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, slot);
            buttons->addWidget(b);
        };
        const DemoInfoTable table = layout.table;
        switch (table) {
        case DemoInfoTable::kModels:
            button(IDC_INFO_ADD_MODEL, tr("Add"), [this, table] { Add(table); });
            button(IDC_INFO_DEL_MODEL, tr("Del"), [this, table] { Delete(table); });
            break;
        case DemoInfoTable::kSounds:
            button(IDC_INFO_ADD_SOUND, tr("Add"), [this, table] { Add(table); });
            button(IDC_INFO_DEL_SOUND, tr("Del"), [this, table] { Delete(table); });
            break;
        case DemoInfoTable::kSkins:
            button(IDC_INFO_ADD_SKIN, tr("Add"), [this, table] { Add(table); });
            button(IDC_INFO_DEL_SKIN, tr("Del"), [this, table] { Delete(table); });
            button(IDC_INFO_EDIT_SKIN, tr("Edit"), [this] { EditSkin(); });
            break;
        default:
            break;
        }
        grid->addLayout(buttons, 1, column, 1, 2);
        column += 2;
    }
    for (DemoInfoTable linked : {DemoInfoTable::kModels, DemoInfoTable::kSounds}) {
        const ListPair& pair = lists_[static_cast<size_t>(linked)];
        Pair(pair.names, pair.index);
        Pair(pair.index, pair.names);
    }

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CDemoInfoDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CDemoInfoDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sky);
    layout->addWidget(precache, 1);
    layout->addWidget(box);
}

QLineEdit* CDemoInfoDlg::AddField(int id) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Id(id));
    edit->setMaxLength(static_cast<int>(kDemoInfoTextChars));
    return edit;
}

void CDemoInfoDlg::SetData(const DemoInfoDlgData& preset) {
    data_ = preset;
    for (const Field& f : kFields) {
        auto* edit = findChild<QLineEdit*>(Id(f.id));
        if (f.id == IDC_INFO_MAP_NAME) {
            edit->setMaxLength(static_cast<int>(data_.levelNameChars));
        } else if (f.id == IDC_INFO_CD_TRACK) {
            edit->setMaxLength(static_cast<int>(kCdTrackChars));
        }
        edit->setText(QString::fromStdString(data_.*f.text));
    }
    for (const DemoInfoTableLayout& layout : DemoInfoTableLayouts()) {
        FillList(layout.table);
    }
}

void CDemoInfoDlg::FillList(DemoInfoTable table) {
    const ListPair& pair = lists_[static_cast<size_t>(table)];
    const std::vector<std::string>& names = data_.Names(table);
    pair.index->clear();
    pair.names->clear();
    for (size_t r = 0; r < names.size(); ++r) {
        pair.names->addItem(QString::fromStdString(names[r]));
        pair.index->addItem(QString::fromStdString(DemoInfoIndexText(table, static_cast<int>(r))));
    }
}

int CDemoInfoDlg::SelectedRow(DemoInfoTable table) const {
    const QListWidget* names = lists_[static_cast<size_t>(table)].names;
    const QList<QListWidgetItem*> selected = names->selectedItems();
    return selected.isEmpty() ? -1 : names->row(selected.front());
}

void CDemoInfoDlg::Add(DemoInfoTable table) {
    if (AddDemoInfoEntry(data_, table, ui_)) {
        FillList(table);
    }
}

void CDemoInfoDlg::Delete(DemoInfoTable table) {
    if (DeleteDemoInfoEntry(data_, table, SelectedRow(table), ui_)) {
        FillList(table);
    }
}

void CDemoInfoDlg::EditSkin() {
    const int row = SelectedRow(DemoInfoTable::kSkins);
    if (EditDemoInfoSkin(data_, row, ui_)) {
        FillList(DemoInfoTable::kSkins);
        lists_[static_cast<size_t>(DemoInfoTable::kSkins)].names->setCurrentRow(row);
    }
}

void CDemoInfoDlg::accept() {
    DemoInfoDlgData typed = data_;
    for (const Field& f : kFields) {
        typed.*f.text = findChild<QLineEdit*>(Id(f.id))->text().toStdString();
    }
    const DemoInfoProblem problem = CheckDemoInfo(typed);
    if (!problem.text.empty()) {
        QtUi::ShowWarning(this, QString::fromStdString(problem.text));
        if (auto* edit = findChild<QLineEdit*>(Id(problem.control))) {
            edit->setFocus();
            edit->selectAll();
        }
        return;
    }
    data_ = std::move(typed);
    QDialog::accept();
}
