#include "film_dlgs.h"

#include "qt_ui.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QLineEdit* Edit(QWidget* parent, int id, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

QDialogButtonBox* OkCancel(QDialog* dlg) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    return buttons;
}

// An integer within [min, max] from an edit; the framework's range message otherwise.
bool TakeInt(QDialog* dlg, QLineEdit* edit, int min, int max, int32_t& out) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    if (!ok || v < min || v > max) {
        QtUi::ShowWarning(
            dlg, QObject::tr("Please enter an integer between %1 and %2.").arg(min).arg(max));
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    out = v;
    return true;
}

bool TakeFloat(QDialog* dlg, QLineEdit* edit, float min, float max, float& out) {
    bool ok = false;
    const float v = edit->text().trimmed().toFloat(&ok);
    if (!ok || v < min || v > max) {
        QtUi::ShowWarning(dlg, QObject::tr("Please enter a number between %1 and %2.")
                                   .arg(static_cast<double>(min))
                                   .arg(static_cast<double>(max)));
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    out = v;
    return true;
}

QGroupBox* EntityGroup(QWidget* parent, int id, QLineEdit** edit) {
    auto* group =
        new QGroupBox(QObject::tr("Entity Number (hint: use Visible Entities list)"), parent);
    auto* row = new QFormLayout(group);
    *edit = Edit(group, id, QStringLiteral("1"));
    row->addRow(QObject::tr("&Entity:"), *edit);
    return group;
}

} // namespace

// --- Fix Camera and ReCamera ---------------------------------------------------------------

CEntityCameraDlg::CEntityCameraDlg(bool recamera, QWidget* parent) : QDialog(parent) {
    setObjectName(recamera ? QStringLiteral("207") : QStringLiteral("175"));
    setWindowTitle(recamera ? tr("ReCamera") : tr("Fix Camera On Entity"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EntityGroup(this, 1023, &entity_));
    if (recamera) {
        keep_ = new QCheckBox(tr("Don't change &view angles (only origin) "), this);
        keep_->setObjectName(QStringLiteral("1206"));
        layout->addWidget(keep_);
    } else {
        // Shown as the dialog has always shown them; not read.
        auto* smooth = new QCheckBox(tr("Automatically smooth "), this);
        smooth->setObjectName(QStringLiteral("1173"));
        smooth->setEnabled(false);
        auto* frames = Edit(this, 1200, QString());
        frames->setEnabled(false);
        auto* label = new QLabel(tr("frames at start && end"), this);
        label->setEnabled(false);
        auto* row = new QHBoxLayout;
        row->addWidget(smooth);
        row->addWidget(frames);
        row->addWidget(label);
        layout->addLayout(row);
    }
    layout->addWidget(OkCancel(this));
    entity_->selectAll();
    entity_->setFocus();
}

void CEntityCameraDlg::accept() {
    if (!TakeInt(this, entity_, 1, kMaxEntityNumber, entity)) {
        return;
    }
    keepAngles = keep_ != nullptr && keep_->isChecked();
    QDialog::accept();
}

// --- Zoom and FrameRate --------------------------------------------------------------------

CSliderValueDlg::CSliderValueDlg(bool zoom, QWidget* parent) : QDialog(parent) {
    setObjectName(zoom ? QStringLiteral("183") : QStringLiteral("178"));
    setWindowTitle(zoom ? tr("FOV Control (ZOOMin/ZOOMout)") : tr("SPECIAL FX: FrameRate Control"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    if (zoom) {
        initial_ = Edit(this, 1083, QStringLiteral("0"));
        form->addRow(tr("&Initial Zoom:"), initial_);
    }
    value_ = Edit(this, 1082, QStringLiteral("0"));
    form->addRow(zoom ? tr("&Final Zoom:") : tr("&Speed:"), value_);
    layout->addLayout(form);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(zoom ? QStringLiteral("1111") : QStringLiteral("1084"));
    slider_->setRange(-kMaxZoom, kMaxZoom);
    slider_->setPageStep(10);
    slider_->setValue(0);
    layout->addWidget(slider_);
    auto* ends = new QHBoxLayout;
    for (const QString& text : zoom ? QStringList{tr("ZOOM+"), tr("Normal"), tr("ZOOM-")}
                                    : QStringList{tr("Slower"), tr("Normal"), tr("Faster")}) {
        ends->addWidget(new QLabel(text, this));
        ends->addStretch();
    }
    layout->addLayout(ends);
    layout->addWidget(OkCancel(this));
    connect(slider_, &QSlider::valueChanged, this,
            [this](int v) { value_->setText(QString::number(v)); });
    connect(value_, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (ok) {
            const QSignalBlocker quiet(slider_);
            slider_->setValue(v);
        }
    });
}

void CSliderValueDlg::accept() {
    if (initial_ != nullptr && !TakeInt(this, initial_, -kMaxZoom, kMaxZoom, initial)) {
        return;
    }
    if (!TakeInt(this, value_, -kMaxZoom, kMaxZoom, value)) {
        return;
    }
    QDialog::accept();
}

// --- RGB palette shift -----------------------------------------------------------------------

namespace {
constexpr int kAdvancedHeight = 140;
} // namespace

CPaletteShiftDlg::CPaletteShiftDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("169"));
    setWindowTitle(tr("FX: RGB palette shift"));
    auto* layout = new QVBoxLayout(this);
    const std::array<std::array<int, 4>, 2> ids = {
        {{1069, 1070, 1071, 1075}, {1072, 1073, 1074, 1076}}};
    const std::array<int, 2> swatchIds = {1088, 1089};
    const std::array<int, 2> colorIds = {1198, 1199};
    const std::array<std::array<int, 3>, 2> presetIds = {{{1077, 1078, 1079}, {1080, 1081, 1082}}};
    const QStringList labels = {tr("Red"), tr("Green"), tr("Blue"), tr("Intensity")};
    numbers_ = new QWidget(this);
    auto* numbers = new QHBoxLayout(numbers_);
    numbers->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    auto* presets = new QGroupBox(tr("Presets:   (Initial / Final )"), this);
    auto* presetGrid = new QGridLayout(presets);
    const QStringList presetNames = {tr("&Black"), tr("C&lear"), tr("&White")};
    for (int side = 0; side < 2; ++side) {
        auto* group = new QGroupBox(
            side == 0 ? tr("Initial Settings (0-255)") : tr("Final Settings (0-255)"), numbers_);
        auto* form = new QFormLayout(group);
        for (int k = 0; k < 4; ++k) {
            auto* edit = Edit(group, ids[side][k], QString());
            fields_[side][k] = edit;
            form->addRow(labels[k], edit);
            connect(edit, &QLineEdit::editingFinished, this, [this, side] {
                std::array<float, 4> rgbi{};
                for (int c = 0; c < 4; ++c) {
                    rgbi[c] = fields_[side][c]->text().toFloat();
                }
                const auto color = SwatchColor(rgbi);
                swatches_[side]->setStyleSheet(QStringLiteral("background: rgb(%1,%2,%3)")
                                                   .arg(color[0])
                                                   .arg(color[1])
                                                   .arg(color[2]));
            });
        }
        numbers->addWidget(group);
        auto* column = new QVBoxLayout;
        auto* swatch = new QLabel(this);
        swatch->setObjectName(QString::number(swatchIds[side]));
        swatch->setMinimumSize(48, 32);
        swatch->setFrameShape(QFrame::Box);
        swatches_[side] = swatch;
        column->addWidget(swatch);
        auto* pick = new QPushButton(side == 0 ? tr("&Initial Color") : tr("&End Color"), this);
        pick->setObjectName(QString::number(colorIds[side]));
        connect(pick, &QPushButton::clicked, this, [this, side] { PickColor(side); });
        column->addWidget(pick);
        top->addLayout(column);
        for (int p = 0; p < 3; ++p) {
            auto* button = new QPushButton(presetNames[p], presets);
            button->setObjectName(QString::number(presetIds[side][p]));
            connect(button, &QPushButton::clicked, this, [this, side, p] {
                (side == 0 ? data.initial : data.final) = PalettePreset(p);
                ShowSide(side);
            });
            presetGrid->addWidget(button, p, side);
        }
    }
    top->addWidget(presets);
    layout->addLayout(top);
    auto* advanced = new QPushButton(tr("&Advanced >>"), this);
    advanced->setObjectName(QStringLiteral("1083"));
    advanced->setCheckable(true);
    layout->addWidget(advanced);
    layout->addWidget(numbers_);
    layout->addWidget(OkCancel(this));
    numbers_->setVisible(false); // the number fields show with "Advanced >>"
    connect(advanced, &QPushButton::toggled, this, [this](bool on) {
        numbers_->setVisible(on);
        adjustSize();
    });
    ShowSide(0);
    ShowSide(1);
}

void CPaletteShiftDlg::ShowSide(int side) {
    const std::array<float, 4>& rgbi = side == 0 ? data.initial : data.final;
    for (int k = 0; k < 4; ++k) {
        fields_[side][k]->setText(QString::number(static_cast<double>(rgbi[k])));
    }
    const auto color = SwatchColor(rgbi);
    swatches_[side]->setStyleSheet(
        QStringLiteral("background: rgb(%1,%2,%3)").arg(color[0]).arg(color[1]).arg(color[2]));
}

void CPaletteShiftDlg::PickColor(int side) {
    std::array<float, 4>& rgbi = side == 0 ? data.initial : data.final;
    for (int k = 0; k < 4; ++k) {
        rgbi[k] = fields_[side][k]->text().toFloat();
    }
    const auto start = SwatchColor(rgbi);
    const QColor chosen = QColorDialog::getColor(QColor(start[0], start[1], start[2]), this);
    if (!chosen.isValid()) {
        return; // Cancel: the colour stays as it was
    }
    rgbi[0] = static_cast<float>(chosen.red());
    rgbi[1] = static_cast<float>(chosen.green());
    rgbi[2] = static_cast<float>(chosen.blue());
    ShowSide(side);
}

void CPaletteShiftDlg::accept() {
    for (int side = 0; side < 2; ++side) {
        std::array<float, 4>& rgbi = side == 0 ? data.initial : data.final;
        for (int k = 0; k < 4; ++k) {
            if (!TakeFloat(this, fields_[side][k], 0.0f, 255.0f, rgbi[k])) {
                numbers_->setVisible(true);
                return;
            }
        }
    }
    QDialog::accept();
}

// --- Entity effects ----------------------------------------------------------------------------

namespace {

struct EffectBox {
    int id;
    const char* text;
};
// In the order of kEntityEffectBits.
constexpr EffectBox kEffectBoxes[13] = {
    {1173, "Always have minimum light"},
    {1175, "Don't draw through eyes (only mirrors)"},
    {1061, "Only draw through eyes (not mirrors)"},
    {1177, "Fullbright (100% light intensity all times)"},
    {1178, "Depth Hack (weapon crunching)"},
    {1179, "Transparency"},
    {1180, "FrameLerp (?)"},
    {1181, "Laser beam"},
    {1183, "Custom Skin"},
    {1184, "Glow!"},
    {1187, "Red Shell"},
    {1188, "Green Shell"},
    {1189, "Blue Shell"},
};

} // namespace

CEntityEffectsDlg::CEntityEffectsDlg(const EntityEffectsDlgData& preset, QWidget* parent)
    : QDialog(parent), data(preset) {
    setObjectName(QStringLiteral("206"));
    setWindowTitle(tr("Entity Effects"));
    auto* layout = new QGridLayout(this);
    auto* number = new QGroupBox(tr("Entity Number"), this);
    auto* numberRow = new QHBoxLayout(number);
    entity_ = Edit(number, 1191, QString::number(preset.entity));
    numberRow->addWidget(entity_);
    layout->addWidget(number, 0, 0);

    changeModel_ = new QCheckBox(tr("Change &Model"), this);
    changeModel_->setObjectName(QStringLiteral("1186"));
    models_ = new QListWidget(this);
    models_->setObjectName(QStringLiteral("1115"));
    for (const std::string& m : preset.models) {
        models_->addItem(QString::fromStdString(m));
    }
    changeSkin_ = new QCheckBox(tr("Change &Skin"), this);
    changeSkin_->setObjectName(QStringLiteral("1192"));
    skin_ = Edit(this, 1185, QString::number(preset.skin));
    auto* left = new QFormLayout;
    left->addRow(changeModel_);
    left->addRow(models_);
    left->addRow(changeSkin_);
    left->addRow(tr("Skin number:"), skin_);
    auto* originRow = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        origin_[k] = Edit(this, 1056 + k, QStringLiteral("0"));
        originRow->addWidget(origin_[k]);
    }
    left->addRow(tr("Add to origin:"), originRow);
    layout->addLayout(left, 1, 0);

    auto* effects = new QGroupBox(tr("Effects"), this);
    auto* grid = new QGridLayout(effects);
    for (size_t i = 0; i < effects_.size(); ++i) {
        auto* box = new QCheckBox(tr(kEffectBoxes[i].text), effects);
        box->setObjectName(QString::number(kEffectBoxes[i].id));
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked); // leave the bit as it is
        effects_[i] = box;
        grid->addWidget(box, static_cast<int>(i), 0);
    }
    laser_ = Edit(effects, 1182, QString::number(preset.laserColor));
    grid->addWidget(laser_, 7, 1);
    grid->addWidget(new QLabel(tr("(color)"), effects), 7, 2);
    transparency_ = Edit(effects, 1174, QString::number(preset.transparency));
    grid->addWidget(transparency_, 5, 1);
    grid->addWidget(new QLabel(tr("%"), effects), 5, 2);
    auto* images = new QListWidget(effects);
    images->setObjectName(QStringLiteral("1117"));
    for (const std::string& m : preset.images) {
        images->addItem(QString::fromStdString(m));
    }
    grid->addWidget(images, 8, 1, 1, 2);
    layout->addWidget(effects, 0, 1, 2, 1);
    layout->addWidget(OkCancel(this), 2, 0, 1, 2);
}

void CEntityEffectsDlg::accept() {
    int32_t laser = 0;
    if (!TakeInt(this, entity_, 1, kMaxEntityNumber, data.entity) ||
        !TakeInt(this, skin_, 0, 255, data.skin) || !TakeInt(this, laser_, 0, 0x7FFFFFFF, laser) ||
        !TakeInt(this, transparency_, 0, 100, data.transparency)) {
        return;
    }
    for (int k = 0; k < 3; ++k) {
        if (!TakeInt(this, origin_[k], -kMaxOriginOffset, kMaxOriginOffset,
                     data.addOrigin[static_cast<size_t>(k)])) {
            return;
        }
    }
    data.laserColor = static_cast<uint32_t>(laser);
    data.changeModel = changeModel_->isChecked();
    data.model = models_->currentRow() >= 0 ? models_->currentRow() + 1 : 0;
    data.changeSkin = changeSkin_->isChecked();
    for (size_t i = 0; i < effects_.size(); ++i) {
        const Qt::CheckState s = effects_[i]->checkState();
        data.effects[i] = s == Qt::Checked     ? TriState::kSet
                          : s == Qt::Unchecked ? TriState::kClear
                                               : TriState::kLeave;
    }
    QDialog::accept();
}
