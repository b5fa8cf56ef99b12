// A precache or signon table of the document: slots of 64 characters laid end to end in one
// character area, as the game keeps its configstrings. A value longer than 63 characters runs
// on into the following slots, so the status bar program (sent as one long string with its
// tails in the next slots) reads back unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kConfigStringSlotChars = 64;

class ConfigStringTable {
  public:
    explicit ConfigStringTable(int slots);

    int Slots() const { return slots_; }

    // Number of filled slots: highest slot set + 1.
    int Count() const { return count_; }
    // Changes the count (the Demo Info dialog grows and shrinks tables); within 0..Slots().
    void SetCount(int count);

    // Stores a value at its slot (an out-of-range slot is ignored); a repeat replaces it.
    // The count grows to cover the slot.
    void Set(int slot, const std::string& value);

    // The text that starts at a slot, running on into later slots; empty out of range.
    std::string Entry(int slot) const;
    const char* EntryChars(int slot) const;

    // Empties every slot and sets the count to 0.
    void Clear();

  private:
    int slots_;
    int count_ = 0;
    // slots * 64 characters plus room for the longest text to run on from the last slot.
    std::vector<char> chars_;
};
