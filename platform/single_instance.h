// The single-instance marker: a named lock that a second copy of the
// program finds already held. The kernel drops it when the process ends.
#pragma once

#include <string>

// The lock file for `name`: ${XDG_RUNTIME_DIR:-/tmp}/<name>-<uid>.lock
std::string InstanceLockPath(const char* name);

// Takes the marker. Returns false when another process holds it.
bool AcquireInstanceLock(const char* name);

// Releases the marker taken by AcquireInstanceLock (safe to call twice).
void ReleaseInstanceLock();
