// The camera and film dialogs and the one-line text dialog in the program: control ids, the
// slider and edit following each other, presets and swatches, the three-state effect boxes,
// and a value out of range keeping the dialog open with the range message.
#include "app_test_util.h"

#include "film_dlgs.h"
#include "qt_ui.h"
#include "text_entry_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class FilmDlgsTest : public testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(PendingModalAnswers(), 0);
        ClearModalAnswers();
    }
    template <class T> static T* Control(QWidget& dlg, int id) {
        T* w = dlg.findChild<T*>(QString::number(id));
        EXPECT_NE(w, nullptr) << id;
        return w;
    }
    // Types into an edit as a person does, so the edit's signals fire.
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setText(QString());
        edit->insert(text);
        emit edit->textEdited(text);
        emit edit->editingFinished();
    }
};

TEST_F(FilmDlgsTest, TextEntryHoldsOneGameTextAndKeepsWhatWasTyped) {
    CTextEntryDlg dlg;
    dlg.SetData(TextEntryDlgData{});
    EXPECT_EQ(dlg.objectName(), "170");
    EXPECT_EQ(dlg.windowTitle(), "Text Edit Dialog");
    QLineEdit* edit = Control<QLineEdit>(dlg, 1033);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 2047);
    bool label = false;
    for (QLabel* l : dlg.findChildren<QLabel*>()) {
        label = label || l->text() == "Enter text:";
    }
    EXPECT_TRUE(label);

    QtUi ui;
    TextEntryDlgData data;
    data.text = "backpack";
    OnNextModal([](QWidget* d) {
        auto* e = d->findChild<QLineEdit*>(QStringLiteral("1033"));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->text(), "backpack"); // the preset shows
        e->setText(QStringLiteral("Quad Damage"));
        PressButton(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(ui.RunTextEntryDlg(data));
    EXPECT_EQ(data.text, "Quad Damage"); // as typed, case kept
    OnNextModal([](QWidget* d) { PressButton(d, QDialogButtonBox::Cancel); });
    EXPECT_FALSE(ui.RunTextEntryDlg(data));
    EXPECT_EQ(data.text, "Quad Damage");
}

TEST_F(FilmDlgsTest, SliderAndEditFollowEachOtherAndTheRangeIsKept) {
    CSliderValueDlg zoom(true);
    EXPECT_EQ(zoom.objectName(), "183");
    QSlider* slider = Control<QSlider>(zoom, 1111);
    QLineEdit* final = Control<QLineEdit>(zoom, 1082);
    ASSERT_TRUE(slider != nullptr && final != nullptr && Control<QLineEdit>(zoom, 1083));
    EXPECT_EQ(slider->minimum(), -100);
    EXPECT_EQ(slider->maximum(), 100);
    slider->setValue(-40);
    EXPECT_EQ(final->text(), "-40");
    Type(final, QStringLiteral("65"));
    EXPECT_EQ(slider->value(), 65);

    CSliderValueDlg speed(false);
    EXPECT_EQ(speed.objectName(), "178");
    EXPECT_EQ(speed.findChild<QLineEdit*>(QStringLiteral("1083")), nullptr);
    EXPECT_NE(Control<QSlider>(speed, 1084), nullptr);

    // Through the Ui port: a speed outside -100..100 is refused with the range message and
    // the dialog stays open until a good one is given.
    QtUi ui;
    FrameRateDlgData rate;
    QString warning;
    OnNextModal([&](QWidget* d) {
        Type(d->findChild<QLineEdit*>(QStringLiteral("1082")), QStringLiteral("250"));
        OnNextModal([&](QWidget* box) {
            warning = qobject_cast<QMessageBox*>(box)->text();
            PressButton(box, QMessageBox::Ok);
            OnNextModal([](QWidget* again) {
                Type(again->findChild<QLineEdit*>(QStringLiteral("1082")), QStringLiteral("-30"));
                PressButton(again, QDialogButtonBox::Ok);
            });
        });
        PressButton(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(ui.RunFrameRateDlg(rate));
    EXPECT_EQ(warning, "Please enter an integer between -100 and 100.");
    EXPECT_EQ(rate.speed, -30);

    FovDlgData fov;
    OnNextModal([](QWidget* d) {
        Type(d->findChild<QLineEdit*>(QStringLiteral("1083")), QStringLiteral("10"));
        d->findChild<QSlider*>(QStringLiteral("1111"))->setValue(-90);
        PressButton(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(ui.RunFovDlg(fov));
    EXPECT_EQ(fov.initialZoom, 10);
    EXPECT_EQ(fov.finalZoom, -90);
}

TEST_F(FilmDlgsTest, CameraDialogsTakeAnEntityOfTheGame) {
    QtUi ui;
    ReCameraDlgData re;
    QString warning;
    OnNextModal([&](QWidget* d) {
        EXPECT_EQ(d->objectName(), "207");
        Type(d->findChild<QLineEdit*>(QStringLiteral("1023")), QStringLiteral("1024"));
        OnNextModal([&](QWidget* box) {
            warning = qobject_cast<QMessageBox*>(box)->text();
            PressButton(box, QMessageBox::Ok);
            OnNextModal([](QWidget* again) {
                Type(again->findChild<QLineEdit*>(QStringLiteral("1023")), QStringLiteral("3"));
                again->findChild<QCheckBox*>(QStringLiteral("1206"))->setChecked(true);
                PressButton(again, QDialogButtonBox::Ok);
            });
        });
        PressButton(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(ui.RunReCameraDlg(re));
    EXPECT_EQ(warning, "Please enter an integer between 1 and 1023.");
    EXPECT_EQ(re.entity, 3);
    EXPECT_TRUE(re.keepAngles);

    CEntityCameraDlg fix(false);
    EXPECT_EQ(fix.objectName(), "175");
    EXPECT_EQ(fix.findChild<QCheckBox*>(QStringLiteral("1206")), nullptr);
    // The smoothing boxes show but are not read.
    EXPECT_FALSE(Control<QCheckBox>(fix, 1173)->isEnabled());
}

TEST_F(FilmDlgsTest, PalettePresetsFillTheNumbersAndTheSwatchShowsThem) {
    CPaletteShiftDlg dlg;
    EXPECT_EQ(dlg.objectName(), "169");
    dlg.show();
    QPushButton* advanced = Control<QPushButton>(dlg, 1083);
    QLineEdit* initialRed = Control<QLineEdit>(dlg, 1069);
    QLineEdit* finalIntensity = Control<QLineEdit>(dlg, 1076);
    ASSERT_TRUE(advanced != nullptr && initialRed != nullptr && finalIntensity != nullptr);
    EXPECT_FALSE(initialRed->isVisible()); // the numbers show with "Advanced >>"
    advanced->click();
    EXPECT_TRUE(initialRed->isVisible());

    // Final "White" and initial "Black": the fields and the swatches follow the presets.
    Control<QPushButton>(dlg, 1082)->click();
    Control<QPushButton>(dlg, 1077)->click();
    const auto white = PalettePreset(2);
    const auto black = PalettePreset(0);
    EXPECT_EQ(finalIntensity->text(), QString::number(static_cast<double>(white[3])));
    EXPECT_EQ(initialRed->text(), QString::number(static_cast<double>(black[0])));
    const auto swatch = SwatchColor(white);
    EXPECT_TRUE(Control<QLabel>(dlg, 1089)->styleSheet().contains(
        QStringLiteral("rgb(%1,%2,%3)").arg(swatch[0]).arg(swatch[1]).arg(swatch[2])));

    // A typed number changes the swatch as soon as the field is left.
    Type(Control<QLineEdit>(dlg, 1072), QStringLiteral("255"));
    Type(Control<QLineEdit>(dlg, 1073), QStringLiteral("0"));
    Type(Control<QLineEdit>(dlg, 1074), QStringLiteral("0"));
    const auto red = SwatchColor({255, 0, 0, white[3]});
    EXPECT_TRUE(Control<QLabel>(dlg, 1089)->styleSheet().contains(
        QStringLiteral("rgb(%1,%2,%3)").arg(red[0]).arg(red[1]).arg(red[2])));

    // A number out of 0..255 keeps the dialog open.
    Type(initialRed, QStringLiteral("300"));
    QString warning;
    OnNextModal([&](QWidget* box) {
        warning = qobject_cast<QMessageBox*>(box)->text();
        PressButton(box, QMessageBox::Ok);
    });
    dlg.accept();
    ProcessEvents();
    EXPECT_TRUE(warning.startsWith("Please enter a number between 0 and 255"))
        << warning.toStdString();
    EXPECT_EQ(dlg.result(), 0);
    Type(initialRed, QStringLiteral("12"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.data.initial[0], 12.0f);
    EXPECT_EQ(dlg.data.final[0], 255.0f);
}

TEST_F(FilmDlgsTest, EffectBoxesHaveThreeStatesAndTheListsPickByPosition) {
    EntityEffectsDlgData preset;
    preset.entity = 7;
    preset.models = {"maps/q2dm1.bsp", "models/weapons/g_rocket/tris.md2", "models/items/quad"};
    preset.images = {"i_health"};
    CEntityEffectsDlg dlg(preset);
    EXPECT_EQ(dlg.objectName(), "206");
    EXPECT_EQ(Control<QLineEdit>(dlg, 1191)->text(), "7");
    EXPECT_EQ(Control<QListWidget>(dlg, 1115)->count(), 3);
    EXPECT_EQ(Control<QListWidget>(dlg, 1117)->count(), 1);
    const int boxes[13] = {1173, 1175, 1061, 1177, 1178, 1179, 1180,
                           1181, 1183, 1184, 1187, 1188, 1189};
    for (int id : boxes) {
        QCheckBox* box = Control<QCheckBox>(dlg, id);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isTristate()) << id;
        EXPECT_EQ(box->checkState(), Qt::PartiallyChecked) << id; // leave as it is
    }
    Control<QCheckBox>(dlg, 1181)->setCheckState(Qt::Checked);   // laser beam on
    Control<QCheckBox>(dlg, 1187)->setCheckState(Qt::Unchecked); // red shell off
    Control<QCheckBox>(dlg, 1186)->setChecked(true);
    Control<QListWidget>(dlg, 1115)->setCurrentRow(2);
    Type(Control<QLineEdit>(dlg, 1056), QStringLiteral("-16"));
    Type(Control<QLineEdit>(dlg, 1182), QStringLiteral("4042322160"));
    QString warning;
    OnNextModal([&](QWidget* box) {
        warning = qobject_cast<QMessageBox*>(box)->text();
        PressButton(box, QMessageBox::Ok);
    });
    dlg.accept(); // the colour does not fit the field
    ProcessEvents();
    EXPECT_FALSE(warning.isEmpty());
    Type(Control<QLineEdit>(dlg, 1182), QStringLiteral("208"));
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.data.entity, 7);
    EXPECT_TRUE(dlg.data.changeModel);
    EXPECT_EQ(dlg.data.model, 3); // list position + 1
    EXPECT_EQ(dlg.data.addOrigin[0], -16);
    EXPECT_EQ(dlg.data.laserColor, 208u);
    EXPECT_EQ(dlg.data.effects[7], TriState::kSet);
    EXPECT_EQ(dlg.data.effects[10], TriState::kClear);
    EXPECT_EQ(dlg.data.effects[0], TriState::kLeave);
}

} // namespace
