// Opens a web link with the desktop's handler (xdg-open), without a shell
// and without waiting. Links that begin with "-" are refused. Returns
// whether the handler was started.
#pragma once

bool OpenLink(const char* link);
