// The dialogs of the camera and film commands: thin Qt forms over the plain structs of
// editor/film_dialogs.h, with the control ids as object names.
#pragma once

#include "editor/film_dialogs.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;
class QWidget;

// "Fix Camera On Entity" (175) and "ReCamera" (207): an entity number; ReCamera also keeps
// the view angles on request.
class CEntityCameraDlg : public QDialog {
    Q_OBJECT
  public:
    CEntityCameraDlg(bool recamera, QWidget* parent = nullptr);
    int32_t entity = 1;
    bool keepAngles = false;
    void accept() override;

  private:
    QLineEdit* entity_;
    QCheckBox* keep_ = nullptr;
};

// "FOV Control (ZOOMin/ZOOMout)" (183) and "SPECIAL FX: FrameRate Control" (178): numbers
// -100 to 100; the slider and edit 1082 follow each other.
class CSliderValueDlg : public QDialog {
    Q_OBJECT
  public:
    CSliderValueDlg(bool zoom, QWidget* parent = nullptr);
    int32_t initial = 0; // the initial zoom (zoom only)
    int32_t value = 0;   // the final zoom, or the speed
    void accept() override;

  private:
    QLineEdit* initial_ = nullptr;
    QLineEdit* value_;
    QSlider* slider_;
};

// "FX: RGB palette shift" (169).
class CPaletteShiftDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CPaletteShiftDlg(QWidget* parent = nullptr);
    PaletteShiftDlgData data;
    void accept() override;

  private:
    void ShowSide(int side);
    void PickColor(int side);
    std::array<std::array<QLineEdit*, 4>, 2> fields_{};
    std::array<QLabel*, 2> swatches_{};
    QWidget* numbers_;
};

// "Entity Effects" (206).
class CEntityEffectsDlg : public QDialog {
    Q_OBJECT
  public:
    CEntityEffectsDlg(const EntityEffectsDlgData& preset, QWidget* parent = nullptr);
    EntityEffectsDlgData data;
    void accept() override;

  private:
    QLineEdit* entity_;
    QCheckBox* changeModel_;
    QListWidget* models_;
    QCheckBox* changeSkin_;
    QLineEdit* skin_;
    std::array<QLineEdit*, 3> origin_{};
    QLineEdit* laser_;
    QLineEdit* transparency_;
    std::array<QCheckBox*, 13> effects_{};
};
