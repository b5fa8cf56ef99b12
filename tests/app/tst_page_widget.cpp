// Edit pages drawn from their models: every field is found by its key, shows its value, and
// what the person types goes back into the model; read-only fields never do.
#include "app_test_util.h"

#include "decode_progress.h"
#include "page_widget.h"

#include "demo/tresk_doc.h"
#include "editor/pages/entity_pages.h"
#include "editor/pages/inventory_page.h"
#include "editor/pages/nothing_page.h"
#include "editor/pages/sound_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

TEST(PageWidget, FieldsShowTheirValuesAndTakeTheEditsBackButNotReadOnlyOnes) {
    CSoundPage page;
    page.SetValue("volume", "0.75");
    page.SetValue("origin.1", "-12.5");
    page.SetValue("filename", "weapons/blastf1a.wav");
    std::vector<std::string> pressed;
    CPageWidget widget(page, [&](const std::string& key) { pressed.push_back(key); });

    // Every field of the model has a widget named by its key.
    for (const PageField& field : page.Fields()) {
        EXPECT_NE(widget.findChild<QWidget*>(QString::fromStdString(field.key)), nullptr)
            << field.key;
    }
    auto* volume = widget.findChild<QLineEdit*>(QStringLiteral("volume"));
    auto* y = widget.findChild<QLineEdit*>(QStringLiteral("origin.1"));
    auto* filename = widget.findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_TRUE(volume && y && filename);
    EXPECT_EQ(volume->text(), "0.75");
    EXPECT_EQ(y->text(), "-12.5");
    EXPECT_TRUE(filename->isReadOnly());

    Retype(volume, QStringLiteral("0.5"));
    Retype(y, QStringLiteral("64"));
    filename->setText(QStringLiteral("changed.wav")); // not something a person can do
    widget.StoreValues(page);
    EXPECT_EQ(page.Value("volume"), "0.5");
    EXPECT_EQ(page.Value("origin.1"), "64");
    EXPECT_EQ(page.Value("filename"), "weapons/blastf1a.wav");

    // A page button reports its key; new values from the model show again.
    auto* autoOrigin = widget.findChild<QPushButton*>(QStringLiteral("auto_origin"));
    ASSERT_NE(autoOrigin, nullptr);
    EXPECT_EQ(autoOrigin->text(), "Auto-Origin");
    QTest::mouseClick(autoOrigin, Qt::LeftButton);
    EXPECT_EQ(pressed, std::vector<std::string>{"auto_origin"});
    page.SetValue("origin.1", "8");
    widget.ShowValues(page);
    EXPECT_EQ(y->text(), "8");
}

TEST(PageWidget, CheckBoxesListsAndStaticTexts) {
    CPacketEntitiesPage entities;
    entities.SetValue("remove", "0");
    CPageWidget entityWidget(entities, nullptr);
    auto* remove = entityWidget.findChild<QCheckBox*>(QStringLiteral("remove"));
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->text(), "Remove Entity");
    EXPECT_FALSE(remove->isChecked());
    remove->click();
    entityWidget.StoreValues(entities);
    EXPECT_EQ(entities.Value("remove"), "1");

    CInventoryPage inventory;
    PageField* items = inventory.FindField("items");
    ASSERT_NE(items, nullptr);
    items->rows = {{"1", "Shotgun", "1", "1"}, {"2", "Shells", "25", "25"}};
    CPageWidget inventoryWidget(inventory, nullptr);
    auto* table = inventoryWidget.findChild<QTableWidget*>(QStringLiteral("items"));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 0)->text(), "Shells");
    table->item(1, 1)->setText(QStringLiteral("50"));
    inventoryWidget.StoreValues(inventory);
    EXPECT_EQ(inventory.FindField("items")->rows[1].value, "50");
    EXPECT_EQ(inventory.FindField("items")->rows[0].value, "1");

    CNothingPage nothing;
    CPageWidget nothingWidget(nothing, nullptr);
    auto* text = nothingWidget.findChild<QLabel*>(QStringLiteral("nothing"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "NOTHING TO EDIT");
}

// Decoding reports its progress through the document; the indication follows it and goes
// away when decoding ends.
TEST(DecodeProgressIndication, FollowsTheDocumentsDecodingAndCloses) {
    CTreskDoc doc;
    QWidget parent;
    {
        DecodeProgress progress(doc, &parent);
        ASSERT_TRUE(static_cast<bool>(doc.decodeProgress));
        doc.decodeProgress(0, 1000);
        EXPECT_EQ(progress.Dialog(), nullptr); // nothing to show yet
        doc.decodeProgress(500, 1000);
        ASSERT_NE(progress.Dialog(), nullptr);
        EXPECT_EQ(progress.Dialog()->value(), progress.Dialog()->maximum() / 2);
        doc.decodeProgress(1000, 1000);
        EXPECT_EQ(progress.Dialog()->value(), progress.Dialog()->maximum());
        progress.Finish();
        EXPECT_EQ(progress.Dialog(), nullptr);
        EXPECT_FALSE(static_cast<bool>(doc.decodeProgress));
    }
}
