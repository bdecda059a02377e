// What a built-in method index that no row names does.
#include "script/method_table.h"

#include <cstdio>
#include <string>

#include "foundation/fatal.h"

void RunUnknownMethod(const UnknownMethod& unknown, int index) {
    std::string out = unknown.words;
    if (size_t at = out.find("%d"); at != std::string::npos) out.replace(at, 2, std::to_string(index));
    if (unknown.choice == OnUnknown::End) FatalExit(out, 1);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}
