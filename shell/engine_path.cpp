#include "shell/engine_path.h"

#include "foundation/dd_string.h"

namespace {

ddString& Path() {
    static ddString path;
    return path;
}

}  // namespace

const char* GetEnginePath() {
    const char* p = Path().c_str();
    return p ? p : "";
}

void SetEnginePath(const char* path) { Path() = path ? path : ""; }
