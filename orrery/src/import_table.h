// Link between the process-wide import table and the hosts.
#pragma once

class CQRefApiImport;

namespace orrery {

// The host the import table forwards to, or null.
CQRefApiImport* CurrentHost();
// Called by a host's destructor: if it is current, no host is current after.
void ReleaseHost(const CQRefApiImport* host);

} // namespace orrery
