// One line of readable text per message record, in game units.
#pragma once

#include "demo/demo_message.h"

#include <string>

class CTreskDoc;

// The fields of a record after its type name, e.g. "entity=3 weapon=1".
std::string DescribeMessage(const DemoMessage& m, const CTreskDoc& doc);
