// One line of readable text per message record, in game units.
#pragma once

#include "demo/demo_message.h"

#include <string>

class CTreskDoc;

// Quoted text with control characters escaped, so each message stays on one line.
std::string Quote(const std::string& s);
// The fields of a record after its type name, e.g. "entity=3 weapon=1".
std::string DescribeMessage(const DemoMessage& m, const CTreskDoc& doc);
