// libFuzzer target for the tagged text reader and the configuration reader
// on top of it: any bytes load, every walk and search of the tree ends,
// and the start-up keys read from it give a mode choice without overflow.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/config.h"
#include "app/video_mode.h"
#include "foundation/dd_base.h"
#include "fuzz_support.h"

namespace {

// The cursor walk every search uses must come back to the root.
void WalkWholeTree(ddBase& doc) {
    doc.FirstChild();
    if (doc.GetCurrent() == doc.GetRoot()) return;
    size_t steps = 0;
    do {
        int ints[3];
        doc.GetIntList(3, ints);
        doc.NextNode();
        if (++steps > (1u << 24)) FuzzFailure("the tree walk does not end");
    } while (doc.GetCurrent() != doc.GetRoot());
}

void Query(ddBase& doc) {
    for (const char* name : {"menu", "item", "res", "", "a"}) {
        doc.FindNode(name);
        doc.HasTopChild(name);
        doc.FindNthByName(name, 0);
        doc.FindNthByName(name, 2);
    }
    doc.FindByValue(" 1");
    doc.ResetCurrent();
    doc.DownToLast(3);
    doc.DownToFirst(2);
    doc.Up(4);
    doc.LastNode();
    doc.TrimValues(nullptr);
    WalkWholeTree(doc);
}

void ChooseMode(const StartupConfig& cfg) {
    static const std::vector<Size> kModes = {{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}};
    if (cfg.screen) {
        const Size want{cfg.screen->width, cfg.screen->height};
        const Range widths = cfg.offsetX.value_or(Range{want.width, want.width});
        const Range heights = cfg.offsetY.value_or(Range{want.height, want.height});
        const Size chosen = SearchModes(kModes, want, widths, heights);
        FindResRow(cfg.resRows, chosen);
        // Any mode goes when SDL says so: the wanted one is then chosen.
        for (const Size& mode : {chosen, want})
            if (cfg.appSize) ScaledAppWidth(cfg.appSize->width, cfg.appSize->height, mode.height);
    }
    for (const ResRow& row : cfg.resRows)
        if (cfg.appSize) ScaledAppWidth(cfg.appSize->width, cfg.appSize->height, row.videoHeight);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    const std::string path = WriteInputFile("input.txt", {reinterpret_cast<const char*>(data), size});
    ddBase doc;
    if (!doc.Load(path.c_str())) FuzzFailure("an existing file did not load");
    Query(doc);
    ChooseMode(ReadStartupConfig(doc));
    return 0;
}
