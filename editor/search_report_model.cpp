#include "editor/search_report_model.h"

#include "demo/demo_block.h"
#include "demo/demo_message.h"
#include "demo/tresk_doc.h"
#include "editor/search.h"
#include "editor/tresk_view.h"

#include <algorithm>

const char* const kReportOutOfDateText =
    "The demo has changed since this search was run: its rows no longer name the right "
    "messages. Run the search again (Tools, Update).";

namespace {

// The first sound of the table whose name holds the keyword: its sound number (slot + 1) and
// name; 0 when none does.
uint32_t FindSound(const CTreskDoc& doc, const std::string& keyword, std::string& name) {
    for (int slot = 0; slot < doc.soundTable.Count(); ++slot) {
        std::string entry = doc.soundTable.Entry(slot);
        if (!entry.empty() && TextContains(entry, keyword)) {
            name = std::move(entry);
            return static_cast<uint32_t>(slot) + 1;
        }
    }
    return 0;
}

bool ListedConsoleType(uint8_t type) {
    return type == svc_print || type == svc_stufftext || type == svc_centerprint;
}

} // namespace

std::vector<SearchReportRow> RunSearchReport(CTreskDoc& doc, const AdvancedSearchDlgData& options) {
    std::string soundName;
    const uint32_t sound = options.sound != 0 ? FindSound(doc, options.keyword, soundName) : 0;
    const bool console = options.console != 0;
    std::vector<SearchReportRow> rows;
    uint32_t b = 1;
    for (DemoBlock* block = doc.FirstBlock(); block != nullptr; block = block->next, ++b) {
        if (!block->decoded) {
            block->Decode(doc, kDecodeWithNeighbours);
        }
        // Without the sound part only messages that carry a text give rows.
        VisitMessages(*block, sound == 0, [&](const DemoMessage& m, uint32_t n) {
            if (console && ListedConsoleType(m.type)) {
                rows.push_back({GetMessageName(m.type), *SearchedText(m), b, n});
            } else if (const auto* s = MessageCast<SoundMessage>(&m);
                       s != nullptr && sound != 0 && s->soundnum == sound) {
                rows.push_back({"sound", soundName, b, n});
            }
            return true;
        });
    }
    return rows;
}

SearchReportModel::SearchReportModel(CTreskDoc& doc, Ui& ui) : doc_(doc), ui_(ui) {
    doc_.AddView(this);
}

SearchReportModel::~SearchReportModel() {
    doc_.RemoveView(this);
}

void SearchReportModel::OnInitialUpdate() {
    AdvancedSearchDlgData options;
    if (!ui_.RunAdvancedSearchDlg(options)) {
        return;
    }
    options_ = options;
    filled_ = true;
    Fill();
}

void SearchReportModel::OnUpdateReport() {
    if (filled_) {
        Fill();
    }
}

void SearchReportModel::Fill() {
    rows_ = RunSearchReport(doc_, options_);
    seenChanges_ = doc_.blockListChanges;
    RowsChanged();
}

bool SearchReportModel::IsOutOfDate() const {
    return seenChanges_ != doc_.blockListChanges;
}

bool SearchReportModel::CheckUpToDate() {
    if (IsOutOfDate()) {
        ui_.ShowMessage(kReportOutOfDateText);
        return false;
    }
    return true;
}

void SearchReportModel::RowsChanged() {
    if (onRowsChanged) {
        onRowsChanged();
    }
}

namespace {

// The selected rows that exist, in row order, each once.
std::vector<size_t> SortedSelection(std::vector<size_t> selected, size_t rowCount) {
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.erase(std::remove_if(selected.begin(), selected.end(),
                                  [rowCount](size_t i) { return i >= rowCount; }),
                   selected.end());
    return selected;
}

} // namespace

void SearchReportModel::OnDoubleClick(const std::vector<size_t>& selected) {
    const std::vector<size_t> rows = SortedSelection(selected, rows_.size());
    if (rows.empty() || !CheckUpToDate()) {
        return;
    }
    const SearchReportRow& row = rows_[rows.front()];
    doc_.UpdateAllViews(this, kHintGotoMessage, {row.block, row.message});
}

void SearchReportModel::OnSelectItems(const std::vector<size_t>& selected) {
    const std::vector<size_t> rows = SortedSelection(selected, rows_.size());
    if (rows.empty() || !CheckUpToDate()) {
        return;
    }
    doc_.UpdateAllViews(this, kHintSelectBlocks,
                        {rows_[rows.front()].block, rows_[rows.back()].block});
}

void SearchReportModel::OnDeleteSelection(const std::vector<size_t>& selected) {
    const std::vector<size_t> rows = SortedSelection(selected, rows_.size());
    if (rows.empty() || !CheckUpToDate()) {
        return;
    }
    // The messages to go, taken before the first deletion renumbers the rows. From the last
    // to the first, a deletion moves only rows after it, none of those still to go.
    std::vector<std::pair<uint32_t, uint32_t>> targets;
    targets.reserve(rows.size());
    for (size_t i : rows) {
        targets.emplace_back(rows_[i].block, rows_[i].message);
    }
    for (auto it = targets.rbegin(); it != targets.rend(); ++it) {
        if (!CheckUpToDate()) {
            return;
        }
        doc_.UpdateAllViews(this, kHintDeleteMessage, {it->first, it->second});
    }
}

bool SearchReportModel::RowsOfBlockHold(uint32_t block) const {
    const DemoBlock* b = nullptr;
    for (const SearchReportRow& row : rows_) {
        if (row.block != block) {
            continue;
        }
        if (b == nullptr) {
            b = doc_.BlockAt(block);
        }
        const DemoMessage* m = b != nullptr ? b->MessageAt(row.message) : nullptr;
        const bool holds =
            m != nullptr && (row.typeName == "sound" ? m->type == svc_sound
                                                     : GetMessageName(m->type) == row.typeName);
        if (!holds) {
            return false;
        }
    }
    return true;
}

void SearchReportModel::OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>& values) {
    if (hint != kHintDeleteMessage || values.size() < 3 || !filled_) {
        return;
    }
    const uint32_t block = values[0];
    const uint32_t message = values[1];
    const bool blockRemoved = values[2] == kBlockDeleted;
    // Up to date before this deletion, and it the only change since.
    const bool followed = seenChanges_ + 1 == doc_.blockListChanges;
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                               [&](const SearchReportRow& r) {
                                   return r.block == block && r.message == message;
                               }),
                rows_.end());
    for (SearchReportRow& row : rows_) {
        if (row.block == block && row.message > message) {
            --row.message;
        } else if (blockRemoved && row.block > block) {
            --row.block;
        }
    }
    // A frame takes its player state and entities with it: the rows after it in its block then
    // moved by more than one, which only the rows themselves can tell.
    if (followed && (blockRemoved || RowsOfBlockHold(block))) {
        seenChanges_ = doc_.blockListChanges;
    }
    RowsChanged();
}
