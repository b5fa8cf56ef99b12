#include "edit_history.h"

#include <algorithm>
#include <unordered_set>

void EditWalk::Redo(CTreskDoc& doc) {
    for (const EditMove& m : moves_) {
        if (m.forward) {
            m.step->Redo(doc);
        } else {
            m.step->Undo(doc);
        }
    }
}

void EditWalk::Undo(CTreskDoc& doc) {
    for (auto m = moves_.rbegin(); m != moves_.rend(); ++m) {
        if (m->forward) {
            m->step->Undo(doc);
        } else {
            m->step->Redo(doc);
        }
    }
}

size_t EditWalk::Bytes() const {
    size_t bytes = sizeof(*this);
    for (const EditMove& m : moves_) {
        bytes += m.step->Bytes();
    }
    return bytes;
}

void EditHistory::Push(Entry entry) {
    entries_.resize(index_);
    if (saved_ && *saved_ > index_) {
        saved_.reset(); // the saved state was undone and is now out of reach
    }
    Track(entry.step, true);
    entries_.push_back(std::move(entry));
    ++index_;
    while (entries_.size() > depth_) {
        entries_.erase(entries_.begin());
        --index_;
        if (saved_) {
            saved_ = *saved_ > 0 ? std::optional<size_t>(*saved_ - 1) : std::nullopt;
        }
    }
    if (onPush) {
        onPush(entries_.back());
    }
}

std::string EditHistory::UndoLabel() const {
    return CanUndo() ? entries_[index_ - 1].label : std::string();
}

std::string EditHistory::RedoLabel() const {
    return CanRedo() ? entries_[index_].label : std::string();
}

std::optional<EditPlace> EditHistory::Undo(CTreskDoc& doc) {
    if (!CanUndo()) {
        return std::nullopt;
    }
    Entry& e = entries_[--index_];
    e.step->Undo(doc);
    Track(e.step, false);
    return e.before;
}

std::optional<EditPlace> EditHistory::Redo(CTreskDoc& doc) {
    if (!CanRedo()) {
        return std::nullopt;
    }
    Entry& e = entries_[index_++];
    e.step->Redo(doc);
    Track(e.step, true);
    return e.after;
}

void EditHistory::SetDepth(size_t depth) {
    depth_ = std::max<size_t>(depth, 1);
    while (entries_.size() > depth_) {
        if (index_ == 0) {
            entries_.pop_back(); // only undone entries are left to drop
            continue;
        }
        entries_.erase(entries_.begin());
        --index_;
        if (saved_) {
            saved_ = *saved_ > 0 ? std::optional<size_t>(*saved_ - 1) : std::nullopt;
        }
    }
}

void EditHistory::Track(const EditStepPtr& step, bool forward) {
    for (Snapshot& s : snapshots_) {
        if (!s.stored) {
            continue;
        }
        // A move straight back over the last one cancels it.
        if (!s.moves.empty() && s.moves.back().step == step && s.moves.back().forward != forward) {
            s.moves.pop_back();
        } else {
            s.moves.push_back({step, forward});
        }
    }
}

void EditHistory::StoreSnapshot(int slot, const EditPlace& place) {
    if (!ValidSlot(slot)) {
        return;
    }
    Snapshot& s = snapshots_[static_cast<size_t>(slot - 1)];
    s.stored = true;
    s.place = place;
    s.moves.clear();
}

bool EditHistory::HasSnapshot(int slot) const {
    return ValidSlot(slot) && snapshots_[static_cast<size_t>(slot - 1)].stored;
}

size_t EditHistory::SnapshotDistance(int slot) const {
    return HasSnapshot(slot) ? snapshots_[static_cast<size_t>(slot - 1)].moves.size() : 0;
}

std::optional<EditPlace> EditHistory::RestoreSnapshot(int slot, CTreskDoc& doc) {
    if (!HasSnapshot(slot) || SnapshotDistance(slot) == 0) {
        return std::nullopt;
    }
    Snapshot& s = snapshots_[static_cast<size_t>(slot - 1)];
    // Taking the moves back, newest first, walks the document back to the stored state.
    std::vector<EditMove> back;
    back.reserve(s.moves.size());
    for (auto m = s.moves.rbegin(); m != s.moves.rend(); ++m) {
        back.push_back({m->step, !m->forward});
    }
    auto walk = std::make_shared<EditWalk>(std::move(back));
    walk->Redo(doc);
    const EditPlace place = s.place;
    Push({"Restore snapshot " + std::to_string(slot), walk, place, place});
    // The slot now stands where it was stored.
    s.moves.clear();
    return place;
}

size_t EditHistory::Bytes() const {
    std::unordered_set<const EditStep*> seen;
    size_t bytes = 0;
    auto add = [&](const EditStepPtr& step) {
        if (seen.insert(step.get()).second) {
            bytes += step->Bytes();
        }
    };
    for (const Entry& e : entries_) {
        add(e.step);
    }
    for (const Snapshot& s : snapshots_) {
        for (const EditMove& m : s.moves) {
            add(m.step);
        }
    }
    return bytes;
}

void EditHistory::Clear() {
    entries_.clear();
    index_ = 0;
    saved_ = 0;
    snapshots_ = {};
}
