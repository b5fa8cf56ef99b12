// Repeating a text search command the way a person presses F3 or Shift+F3 until the editor says
// there are no more matches.
#pragma once

#include "scripted_ui.h"

#include "editor/tresk_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace edtest {

// Where the view stands, as "block.message".
inline std::string Where(const CTreskView& view) {
    return std::to_string(view.CurrentBlockNumber()) + "." +
           std::to_string(view.CurrentMessageNumber());
}

// The places `command` stops at, run again and again from where the view stands until it shows
// a message (its not-found text). At most `limit` stops: a walk that goes on is a fault.
inline std::vector<std::string> RepeatSearch(CTreskView& view, ScriptedUi& ui, int command,
                                             size_t limit = 100000) {
    std::vector<std::string> stops;
    ui.Clear();
    for (view.OnCommand(command); ui.messages.empty(); view.OnCommand(command)) {
        stops.push_back(Where(view));
        if (stops.size() > limit) {
            ADD_FAILURE() << "the search goes on past " << limit << " matches";
            break;
        }
    }
    ui.Clear();
    return stops;
}

} // namespace edtest
