// Command routing: the active view is offered a command first, then the main frame, then the
// application, the way menu and toolbar commands have always been routed.
#pragma once

#include <optional>

class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // Whether the command is enabled now, or nullopt when this target has no handler for it.
    virtual std::optional<bool> CommandEnabled(int id) const = 0;
    // Carries the command out; false when this target has no handler for it.
    virtual bool OnCommand(int id) = 0;
};
