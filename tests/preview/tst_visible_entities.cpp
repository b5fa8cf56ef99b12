// The visible-entities list without widgets on a generated demo: its rows against the current
// block's records, the ten marks read from the document's notes, descriptions, the edits'
// undo, the list following the editor and the overhead view, and a mark reaching the 3D
// preview as a marker skin.
#include "preview_fixture.h"

#include "demo/demo_block.h"
#include "preview/visible_entities.h"

#include <set>

namespace pvtest {
namespace {

class VisibleEntitiesTest : public PreviewTest {
  protected:
    // The current block's packetentities records, in order.
    std::vector<const EntityState*> Records() const {
        std::vector<const EntityState*> out;
        for (const DemoMessage* m = doc->currentBlock->FirstMessage(); m != nullptr; m = m->next) {
            if (m->type == svc_packetentities) {
                out.push_back(&MessageCast<EntityMessage>(m)->state);
            }
        }
        return out;
    }
    EditPlace Place() const { return view->Place(); }
};

TEST_F(VisibleEntitiesTest, RowsAreTheCurrentBlocksEntityRecordsWithTheirModels) {
    OpenDemo(GeneratedDemo(20, 3));
    GoTo(view->CurrentBlockNumber() + 4);
    const std::vector<const EntityState*> records = Records();
    ASSERT_GT(records.size(), 2u);
    const std::vector<VisibleEntityRow> rows = VisibleEntityRows(*doc);
    ASSERT_EQ(rows.size(), records.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, records[i]->number);
        EXPECT_EQ(rows[i].modelIndex, records[i]->modelindex);
        EXPECT_EQ(rows[i].Image(), kUnmarkedImage);
    }
    // The run's terminator is listed as entity 0 without a model.
    EXPECT_EQ(rows.back().number, 0);
    EXPECT_EQ(rows.back().modelName, "NONE");

    EXPECT_EQ(EntityModelName(*doc, 1), doc->modelTable.Entry(0));
    EXPECT_EQ(EntityModelName(*doc, 254), doc->modelTable.Entry(253));
    EXPECT_EQ(EntityModelName(*doc, 255), "players/male/tris.md2");

    DemoBlock* current = std::exchange(doc->currentBlock, nullptr);
    EXPECT_TRUE(VisibleEntityRows(*doc).empty());
    doc->currentBlock = current; // the document frees its blocks from there
}

TEST_F(VisibleEntitiesTest, TenMarksAtMostAndAFreedMarkIsTakenAgain) {
    OpenDemo(GeneratedDemo(10));
    int mark = -1;
    for (uint32_t n = 1; n <= 10; ++n) {
        ASSERT_EQ(ToggleEntityMark(*doc, n * 10, Place(), &mark), MarkChange::kMarked);
        EXPECT_EQ(mark, static_cast<int>(n - 1));
    }
    EXPECT_TRUE(MarksInUse(*doc).all());
    const size_t entries = doc->history.Count();
    // An eleventh changes nothing and records nothing.
    EXPECT_EQ(ToggleEntityMark(*doc, 500, Place()), MarkChange::kNone);
    EXPECT_EQ(MarkOf(*doc, 500), -1);
    EXPECT_EQ(doc->history.Count(), entries);

    // Unmarking mark 3 frees it for the next entity marked.
    ASSERT_EQ(ToggleEntityMark(*doc, 40, Place(), &mark), MarkChange::kUnmarked);
    EXPECT_EQ(mark, 3);
    EXPECT_EQ(doc->entityNotes[40].marker, -1);
    ASSERT_EQ(ToggleEntityMark(*doc, 500, Place(), &mark), MarkChange::kMarked);
    EXPECT_EQ(mark, 3);
    EXPECT_EQ(doc->entityNotes[500].marker, 3);
}

TEST_F(VisibleEntitiesTest, MarksInUseAreReadFromEveryNoteSoNoTwoEntitiesShareOne) {
    OpenDemo(GeneratedDemo(10));
    // Entities marked in other blocks, not listed now, keep their marks.
    doc->entityNotes[900].marker = 0;
    doc->entityNotes[901].marker = 1;
    // A marker that is no mark (left by something else) holds none of the ten.
    doc->entityNotes[902].marker = 42;
    EXPECT_EQ(MarksInUse(*doc).to_ulong(), 0b11u);
    EXPECT_EQ(MarkOf(*doc, 902), -1);
    int mark = -1;
    ASSERT_EQ(ToggleEntityMark(*doc, 3, Place(), &mark), MarkChange::kMarked);
    EXPECT_EQ(mark, 2);

    std::set<int> seen;
    for (const EntityNote& note : doc->entityNotes) {
        if (note.marker >= 0 && note.marker < kEntityMarks) {
            EXPECT_TRUE(seen.insert(note.marker).second) << note.marker;
        }
    }
}

TEST_F(VisibleEntitiesTest, NumbersFrom1024OnHaveNoNoteAndAreNeverMarkedOrDescribed) {
    OpenDemo(GeneratedDemo(10));
    auto record = NewMessage(svc_packetentities);
    MessageCast<EntityMessage>(record.get())->state.number = 1500;
    MessageCast<EntityMessage>(record.get())->state.modelindex = 1;
    doc->currentBlock->AppendMessage(std::move(record));
    const std::vector<VisibleEntityRow> rows = VisibleEntityRows(*doc);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back().number, 1500);
    EXPECT_FALSE(rows.back().Marked());
    EXPECT_TRUE(rows.back().description.empty());

    EXPECT_EQ(NoteOf(*doc, 1024), nullptr);
    EXPECT_NE(NoteOf(*doc, 1023), nullptr);
    EXPECT_EQ(ToggleEntityMark(*doc, 1500, Place()), MarkChange::kNone);
    EXPECT_FALSE(SetEntityDescription(*doc, 1024, "beyond", Place()));
    EXPECT_EQ(doc->history.Count(), 0u);

    VisibleEntitiesList list(*doc, ui);
    list.Refresh();
    list.ToggleMark(list.Rows().size() - 1);
    list.EditDescription(list.Rows().size() - 1);
    EXPECT_EQ(ui.beeps, 1); // the description dialog has nothing to describe
    EXPECT_EQ(doc->history.Count(), 0u);
}

TEST_F(VisibleEntitiesTest, NoteEditsAreUndoneLikeOtherEditsAndLeaveTheBlocksNumbering) {
    OpenDemo(GeneratedDemo(10));
    const uint32_t block = view->CurrentBlockNumber();
    const uint64_t changes = doc->blockListChanges;
    ASSERT_FALSE(doc->IsModified());
    ASSERT_EQ(ToggleEntityMark(*doc, 5, Place()), MarkChange::kMarked);
    ASSERT_TRUE(SetEntityDescription(*doc, 5, "the red one", Place()));
    EXPECT_FALSE(SetEntityDescription(*doc, 5, "the red one", Place()));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(doc->history.Count(), 2u);
    EXPECT_EQ(doc->history.UndoLabel(), "Describe entity 5");
    EXPECT_EQ(EntityLabel(*doc, 5), "5 [mark 0] the red one");
    // A search report's rows, numbered by block and message, stay good.
    EXPECT_EQ(doc->blockListChanges, changes);

    ASSERT_TRUE(doc->history.Undo(*doc));
    EXPECT_EQ(doc->entityNotes[5].description, "");
    EXPECT_EQ(MarkOf(*doc, 5), 0);
    ASSERT_TRUE(doc->history.Undo(*doc));
    EXPECT_EQ(MarkOf(*doc, 5), -1);
    EXPECT_EQ(EntityLabel(*doc, 5), "5");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->blockListChanges, changes);
    EXPECT_EQ(doc->blockCount, doc->NumberOf(doc->LastBlock()));
    ASSERT_TRUE(doc->history.Redo(*doc));
    EXPECT_EQ(MarkOf(*doc, 5), 0);
    view->ShowPlace({block, 1, 1});
    EXPECT_EQ(view->CurrentBlockNumber(), block);
}

TEST_F(VisibleEntitiesTest, TheListFollowsTheEditorPicksAndDescribes) {
    OpenDemo(GeneratedDemo(20, 3));
    VisibleEntitiesList list(*doc, ui);
    int changed = 0;
    std::vector<size_t> selected;
    list.onRowsChanged = [&] { ++changed; };
    list.onSelectRow = [&](size_t row) { selected.push_back(row); };
    list.place = [this] { return std::optional<EditPlace>(view->Place()); };

    // Every move of the editor lists the new block.
    GoTo(view->CurrentBlockNumber() + 3);
    EXPECT_GE(changed, 1);
    ASSERT_EQ(list.Rows().size(), Records().size());

    // The overhead view picked an entity: its row is selected; one not listed selects none.
    const uint16_t entity = list.Rows().front().number;
    doc->UpdateAllViews(nullptr, kHintPickEntity, {entity});
    EXPECT_EQ(selected, std::vector<size_t>{0});
    doc->UpdateAllViews(nullptr, kHintPickEntity, {1023});
    EXPECT_EQ(selected.size(), 1u);

    // The dialog opens on the entity's description; Cancel keeps it.
    ui.descriptionAnswers = {"the blue one", std::nullopt, "the blue one"};
    list.EditDescription(0);
    EXPECT_EQ(list.Rows()[0].description, "the blue one");
    list.EditDescription(0);
    EXPECT_EQ(doc->entityNotes[entity].description, "the blue one");
    // OK on the text as it was is no edit.
    list.EditDescription(0);
    EXPECT_EQ(doc->history.Count(), 1u);
    EXPECT_EQ(ui.transcript.back(), "description: the blue one");

    // The window's icon follows the last toggle: the mark taken, none once one is freed.
    list.ToggleMark(0);
    EXPECT_EQ(list.Rows()[0].mark, 0);
    EXPECT_EQ(list.WindowIconMark(), 0);
    list.ToggleMark(1);
    EXPECT_EQ(list.WindowIconMark(), 1);
    list.ToggleMark(0);
    EXPECT_EQ(list.WindowIconMark(), -1);
    EXPECT_EQ(list.Rows()[0].Image(), kUnmarkedImage);
    EXPECT_EQ(list.Rows()[1].mark, 1);

    // A second list on the demo hears of the first one's marks.
    VisibleEntitiesList other(*doc, ui);
    other.Refresh();
    list.ToggleMark(2);
    EXPECT_EQ(other.Rows()[2].mark, 0);
}

TEST_F(VisibleEntitiesTest, AMarkReachesTheOpenPreviewAsAMarkerSkinAtOnce) {
    OpenDemo(GeneratedDemo(20, 3));
    ASSERT_TRUE(OpenPreview()) << (ui.messages.empty() ? "" : ui.messages.back());
    GoTo(view->CurrentBlockNumber() + 2);
    VisibleEntitiesList list(*doc, ui);
    list.place = [this] { return std::optional<EditPlace>(view->Place()); };
    list.Refresh();
    // An entity the preview draws, not a player (a player's skin comes from its skin path).
    std::optional<size_t> row;
    for (size_t i = 0; i < list.Rows().size(); ++i) {
        const VisibleEntityRow& r = list.Rows()[i];
        if (r.number > doc->maxClients && Window()->RenderEntityOf(r.number) != nullptr) {
            row = i;
            break;
        }
    }
    ASSERT_TRUE(row);
    const uint16_t entity = list.Rows()[*row].number;
    ASSERT_EQ(Window()->RenderEntityOf(entity)->skin, nullptr);

    list.ToggleMark(*row); // mark 0
    const entity_t* drawn = Window()->RenderEntityOf(entity);
    ASSERT_NE(drawn, nullptr);
    EXPECT_NE(drawn->skin, nullptr);
    const scene_ref_stats* stats = RendererStats();
    ASSERT_NE(stats, nullptr);
    ASSERT_GT(stats->skinCount, 0);
    EXPECT_STREQ(stats->skins[std::min(stats->skinCount, SCENE_REF_NAMES) - 1], "skins/skin1.pcx");

    list.ToggleMark(*row);
    EXPECT_EQ(Window()->RenderEntityOf(entity)->skin, nullptr);
}

} // namespace
} // namespace pvtest
