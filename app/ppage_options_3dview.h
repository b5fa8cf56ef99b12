// The "3D Preview" page of the options sheet: preview size, gamma and two switches.
#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSlider;

class CPPageOptions3dview : public QWidget {
    Q_OBJECT
  public:
    explicit CPPageOptions3dview(QWidget* parent = nullptr);

    int previewWidth = 0;
    int previewHeight = 0;
    int gamma = 0;
    bool displayTriggerBrushes = false;
    bool useOpenGL = false;

    static constexpr int kMinWidth = 64;
    static constexpr int kMaxWidth = 800;
    static constexpr int kMinHeight = 64;
    static constexpr int kMaxHeight = 600;

    void LoadFields();
    // Takes the controls into the fields. A width or height that is not a whole number in its
    // range is refused with the usual range message, focused, and the fields keep their values.
    bool StoreFields();

  private:
    bool TakeInt(QLineEdit* edit, int low, int high, int& field);

    QLineEdit* widthEdit_;
    QLineEdit* heightEdit_;
    QSlider* gammaSlider_;
    QCheckBox* triggerBrushesBox_;
    QCheckBox* openGLBox_;
};
