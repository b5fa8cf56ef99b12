#include "ppage_options_3dview.h"

#include "qt_ui.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

CPPageOptions3dview::CPPageOptions3dview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("202"));

    auto* resolutionGroup = new QGroupBox(tr("&Resolution"), this);
    widthEdit_ = new QLineEdit(resolutionGroup);
    widthEdit_->setObjectName(QStringLiteral("1168"));
    heightEdit_ = new QLineEdit(resolutionGroup);
    heightEdit_->setObjectName(QStringLiteral("1167"));
    auto* resolutionLayout = new QFormLayout(resolutionGroup);
    auto* widthLabel = new QLabel(tr("&Width :"), resolutionGroup);
    widthLabel->setBuddy(widthEdit_);
    auto* heightLabel = new QLabel(tr("&Height :"), resolutionGroup);
    heightLabel->setBuddy(heightEdit_);
    resolutionLayout->addRow(widthLabel, widthEdit_);
    resolutionLayout->addRow(heightLabel, heightEdit_);

    auto* gammaGroup = new QGroupBox(tr("&Gamma Correction"), this);
    gammaSlider_ = new QSlider(Qt::Horizontal, gammaGroup);
    gammaSlider_->setObjectName(QStringLiteral("1166"));
    gammaSlider_->setRange(0, 100);
    gammaSlider_->setTickInterval(5);
    gammaSlider_->setTickPosition(QSlider::TicksBelow);
    auto* brightLabel = new QLabel(tr("&Bright"), gammaGroup);
    brightLabel->setBuddy(gammaSlider_);
    auto* darkLabel = new QLabel(tr("&Dark"), gammaGroup);
    darkLabel->setBuddy(gammaSlider_);
    auto* gammaLayout = new QHBoxLayout(gammaGroup);
    gammaLayout->addWidget(brightLabel);
    gammaLayout->addWidget(gammaSlider_, 1);
    gammaLayout->addWidget(darkLabel);

    auto* otherGroup = new QGroupBox(tr("&Other"), this);
    triggerBrushesBox_ = new QCheckBox(tr("Display &Trigger Brushes"), otherGroup);
    triggerBrushesBox_->setObjectName(QStringLiteral("1170"));
    openGLBox_ = new QCheckBox(tr("Use OpenGL Accelleration"), otherGroup);
    openGLBox_->setObjectName(QStringLiteral("1171"));
    auto* otherLayout = new QVBoxLayout(otherGroup);
    otherLayout->addWidget(triggerBrushesBox_);
    otherLayout->addWidget(openGLBox_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(resolutionGroup);
    layout->addWidget(gammaGroup);
    layout->addWidget(otherGroup);
    layout->addStretch();
}

void CPPageOptions3dview::LoadFields() {
    widthEdit_->setText(QString::number(previewWidth));
    heightEdit_->setText(QString::number(previewHeight));
    gammaSlider_->setValue(gamma);
    triggerBrushesBox_->setChecked(displayTriggerBrushes);
    openGLBox_->setChecked(useOpenGL);
}

bool CPPageOptions3dview::TakeInt(QLineEdit* edit, int low, int high, int& field) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (!ok) {
        QtUi::ShowWarning(this, tr("Please enter an integer."));
    } else if (value < low || value > high) {
        QtUi::ShowWarning(this,
                          tr("Please enter an integer between %1 and %2.").arg(low).arg(high));
    } else {
        field = value;
        return true;
    }
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool CPPageOptions3dview::StoreFields() {
    int width = previewWidth;
    int height = previewHeight;
    if (!TakeInt(widthEdit_, kMinWidth, kMaxWidth, width) ||
        !TakeInt(heightEdit_, kMinHeight, kMaxHeight, height)) {
        return false;
    }
    previewWidth = width;
    previewHeight = height;
    gamma = gammaSlider_->value();
    displayTriggerBrushes = triggerBrushesBox_->isChecked();
    useOpenGL = openGLBox_->isChecked();
    return true;
}
