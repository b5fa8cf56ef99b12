// The process-wide pak map behind CQRefApiImport's static pak operations.
#pragma once

namespace orrery {

// Makes sure the pak map exists. A host calls this when it is constructed, so
// the map is created before, and destroyed after, any host that could empty it
// at the end of the process.
void KeepPakMapAlive();

} // namespace orrery
