#include "visible_entities.h"

#include "demo/demo_message.h"
#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/ui.h"

namespace {

constexpr uint8_t kPlayerModelIndex = 255;

// One edit of the document's notes: a transaction over no blocks that copies the fields.
template <class Change>
void EditNotes(CTreskDoc& doc, const EditPlace& place, const std::string& label, Change change) {
    EditTransaction edit(doc, BlockSpan{1, 0}, place, /*fields=*/true);
    change();
    edit.Commit(label, place);
}

} // namespace

std::string EntityModelName(const CTreskDoc& doc, uint8_t modelIndex) {
    if (modelIndex == 0) {
        return "NONE";
    }
    if (modelIndex == kPlayerModelIndex) {
        return "players/male/tris.md2";
    }
    return doc.modelTable.Entry(modelIndex - 1);
}

const EntityNote* NoteOf(const CTreskDoc& doc, uint32_t entity) {
    return entity < doc.entityNotes.size() ? &doc.entityNotes[entity] : nullptr;
}

int MarkOf(const CTreskDoc& doc, uint32_t entity) {
    const EntityNote* note = NoteOf(doc, entity);
    if (note == nullptr || note->marker < 0 || note->marker >= kEntityMarks) {
        return -1;
    }
    return note->marker;
}

std::bitset<kEntityMarks> MarksInUse(const CTreskDoc& doc) {
    std::bitset<kEntityMarks> used;
    for (uint32_t n = 0; n < doc.entityNotes.size(); ++n) {
        const int mark = MarkOf(doc, n);
        if (mark >= 0) {
            used.set(static_cast<size_t>(mark));
        }
    }
    return used;
}

std::vector<VisibleEntityRow> VisibleEntityRows(const CTreskDoc& doc) {
    std::vector<VisibleEntityRow> rows;
    if (doc.currentBlock == nullptr) {
        return rows;
    }
    for (const DemoMessage* m = doc.currentBlock->FirstMessage(); m != nullptr; m = m->next) {
        if (m->type != svc_packetentities) {
            continue;
        }
        const auto* e = MessageCast<EntityMessage>(m);
        VisibleEntityRow row;
        row.number = e->state.number;
        row.modelIndex = e->state.modelindex;
        row.modelName = EntityModelName(doc, row.modelIndex);
        if (const EntityNote* note = NoteOf(doc, row.number)) {
            row.description = note->description;
        }
        row.mark = MarkOf(doc, row.number);
        rows.push_back(std::move(row));
    }
    return rows;
}

MarkChange ToggleEntityMark(CTreskDoc& doc, uint32_t entity, const EditPlace& place, int* mark) {
    if (NoteOf(doc, entity) == nullptr) {
        return MarkChange::kNone;
    }
    const std::string number = std::to_string(entity);
    const int held = MarkOf(doc, entity);
    if (held >= 0) {
        EditNotes(doc, place, "Unmark entity " + number,
                  [&] { doc.entityNotes[entity].marker = -1; });
        if (mark != nullptr) {
            *mark = held;
        }
        return MarkChange::kUnmarked;
    }
    const std::bitset<kEntityMarks> used = MarksInUse(doc);
    int lowest = 0;
    while (lowest < kEntityMarks && used.test(static_cast<size_t>(lowest))) {
        ++lowest;
    }
    if (lowest == kEntityMarks) {
        return MarkChange::kNone;
    }
    EditNotes(doc, place, "Mark entity " + number,
              [&] { doc.entityNotes[entity].marker = lowest; });
    if (mark != nullptr) {
        *mark = lowest;
    }
    return MarkChange::kMarked;
}

bool SetEntityDescription(CTreskDoc& doc, uint32_t entity, const std::string& text,
                          const EditPlace& place) {
    const EntityNote* note = NoteOf(doc, entity);
    if (note == nullptr || note->description == text) {
        return false;
    }
    EditNotes(doc, place, "Describe entity " + std::to_string(entity),
              [&] { doc.entityNotes[entity].description = text; });
    return true;
}

std::string EntityLabel(const CTreskDoc& doc, uint32_t entity) {
    std::string label = std::to_string(entity);
    if (const int mark = MarkOf(doc, entity); mark >= 0) {
        label += " [mark " + std::to_string(mark) + "]";
    }
    if (const EntityNote* note = NoteOf(doc, entity);
        note != nullptr && !note->description.empty()) {
        label += " " + note->description;
    }
    return label;
}

// --- the list --------------------------------------------------------------------------------

VisibleEntitiesList::VisibleEntitiesList(CTreskDoc& doc, Ui& ui) : doc_(doc), ui_(ui) {
    doc_.AddView(this);
}

VisibleEntitiesList::~VisibleEntitiesList() {
    doc_.RemoveView(this);
}

void VisibleEntitiesList::OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>& values) {
    switch (hint) {
    case kHintRefresh:
    case kHintFeedPreview: // another list on the document changed a note
        Refresh();
        break;
    case kHintPickEntity:
        if (!values.empty()) {
            if (std::optional<size_t> row = RowOf(values[0]); row && onSelectRow) {
                onSelectRow(*row);
            }
        }
        break;
    default:
        break;
    }
}

void VisibleEntitiesList::Refresh() {
    rows_ = VisibleEntityRows(doc_);
    if (onRowsChanged) {
        onRowsChanged();
    }
}

std::optional<size_t> VisibleEntitiesList::RowOf(uint32_t entity) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].number == entity) {
            return i;
        }
    }
    return std::nullopt;
}

EditPlace VisibleEntitiesList::Place() const {
    if (std::optional<EditPlace> editor = place ? place() : std::nullopt) {
        return *editor;
    }
    return {doc_.currentBlock != nullptr ? doc_.NumberOf(doc_.currentBlock) : 0, 1, 1};
}

void VisibleEntitiesList::ToggleMark(size_t row) {
    if (row >= rows_.size()) {
        return;
    }
    const uint32_t entity = rows_[row].number;
    int mark = -1;
    const MarkChange change = ToggleEntityMark(doc_, entity, Place(), &mark);
    if (change == MarkChange::kNone) {
        return;
    }
    ui_.ShowStatus(doc_.history.UndoLabel());
    iconMark_ = change == MarkChange::kMarked ? mark : -1;
    Refresh();
    if (onWindowIconChanged) {
        onWindowIconChanged();
    }
    doc_.UpdateAllViews(this, kHintFeedPreview);
}

void VisibleEntitiesList::EditDescription(size_t row) {
    if (row >= rows_.size()) {
        return;
    }
    const uint32_t entity = rows_[row].number;
    const EntityNote* note = NoteOf(doc_, entity);
    if (note == nullptr) {
        ui_.Beep();
        return;
    }
    // The dialog opens on the description the entity has, so that OK alone keeps it.
    EntityDescriptionDlgData data{note->description};
    if (!ui_.RunEntityDescriptionDlg(data)) {
        return;
    }
    if (SetEntityDescription(doc_, entity, data.text, Place())) {
        ui_.ShowStatus(doc_.history.UndoLabel());
        Refresh();
        // The notes changed: the overhead view labels its markers with them.
        doc_.UpdateAllViews(this, kHintFeedPreview);
    }
}
