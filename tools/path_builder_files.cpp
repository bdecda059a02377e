// The walk-path editor's file prompts: loading and saving the graph, the
// background, and the walking-animation previews at every vertex.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/saturating.h"
#include "graphics/filter.h"
#include "graphics/stage.h"
#include "paths/path_vertex.h"
#include "paths/walk_graph.h"
#include "tools/file_loader.h"
#include "tools/path_builder.h"
#include "tools/ptf_view.h"

void pathbuilderGame::BoxAction(int boxState) {
    InitPos();
    toolFileLoader* box = BoxOf(boxState);
    if (!box) return;
    const std::string name = box->GetText();
    switch (boxState) {
    case kLoadPath:
        LoadPath(name.c_str());
        break;
    case kSavePath:
        SavePath(name.c_str());
        break;
    case kLoadingAn:
        MakePreviews(name.c_str());
        break;
    case kLoadingBkg:
        LoadBackground(name.c_str());
        break;
    default:
        break;
    }
}

void pathbuilderGame::LoadPath(const char* name) {
    if (!view) return;
    // Read aside first: a name that does not lead to a graph keeps the one
    // being edited instead of leaving an empty editor.
    ddWalkGraph loaded;
    loaded.SetDepthSize(view->GetDepthSize());
    loaded.LoadGraph(name);
    if (loaded.GetVertexCount() == 0) {
        std::printf("ptbuilder: no walk path graph in %s\n", name);
        std::fflush(stdout);
        return;
    }
    view->GetGraph().Swap(loaded.GetGraph());
    selection.clear();
    activeVertex = secondVertex = -1;
    view->RebuildView();
    SyncPreviews();
}

void pathbuilderGame::SavePath(const char* name) {
    if (!view) return;
    // The writer replaces the file only once the whole graph is written and
    // reports a failure itself; the old file then stays as it was.
    if (!view->SaveGraph(name)) {
        std::printf("ptbuilder: walk path graph not saved to %s\n", name);
        std::fflush(stdout);
    }
}

void pathbuilderGame::LoadBackground(const char* name) {
    const size_t n = std::strlen(name);
    if (n >= 3 && std::strcmp(name + n - 3, "lum") == 0) {
        backgroundAnima.LoadDefinition(name, 1.0f, 1.0f);
        background.Copy(&backgroundAnima);
    } else {
        background.Load(name, 1);
    }
    background.SetLayer(-10);
    SetRedraw();
}

// ---------------------------------------------------------------- previews

void pathbuilderGame::MakePreviews(const char* definition) {
    ClosePreviews();
    previewDefinition = definition ? definition : "";
    SyncPreviews();
}

void pathbuilderGame::SyncPreviews() {
    if (!view || previewDefinition.empty()) return;
    // One preview per vertex present: slots left empty cost nothing. Every
    // preview is the same walker, so which one stands where is free.
    previewVertices.clear();
    for (int i = 0; i < view->GetVertexCount(); ++i)
        if (view->GetVertex(i)) previewVertices.push_back(i);
    const int n = static_cast<int>(previewVertices.size());
    const int had = previews ? static_cast<int>(previews->size()) : 0;
    if (n > 0 && !previews)
        NewObjectArray(previews, previewDefinition.c_str(), n);
    else if (n > had)
        AppendToObjectArray(previews, n - had);
    for (int k = had; k > n; --k) {
        delete previewFilters.back();  // unlinks its preview
        previewFilters.pop_back();
        previewsLayer.Remove((*previews)[static_cast<size_t>(k - 1)]);
        RemoveFromObjectArray(previews, k - 1);
    }
    previewCount = previews ? std::min(n, static_cast<int>(previews->size())) : 0;
    previewVertices.resize(static_cast<size_t>(previewCount));
    for (int k = static_cast<int>(previewFilters.size()); k < previewCount; ++k) {
        auto* filter = new ddFilter();
        filter->SetPlacement(PLACE_SCALED);
        previewFilters.push_back(filter);
        Animacja* preview = (*previews)[static_cast<size_t>(k)];
        filter->Link(preview);
        if (previewsLayer.IsVisible())
            preview->Show();
        else
            preview->Hide();
        previewsLayer.Add(preview);
    }
    for (int i : previewVertices) UpdatePreview(i, true);
}

void pathbuilderGame::ClosePreviews() {
    previewDefinition.clear();
    if (previewCount <= 0 && !previews && previewFilters.empty()) return;
    DeleteObjectArray(previews);
    for (ddFilter* filter : previewFilters) delete filter;
    previewFilters.clear();
    previewVertices.clear();
    previewCount = 0;
    previewsLayer.Clear();  // its members went with the array
}

void pathbuilderGame::UpdatePreview(int index, bool zoom) {
    if (!view) return;
    Animacja* preview = GetPreview(index);
    ddFilter* filter = GetPreviewFilter(index);
    const ddpathVertex* v = view->GetVertex(index);
    if (!preview || !v) return;
    // scaled by the depth alone, as a walker whose scale power is 1
    if (zoom && filter) filter->SetZoom(DepthScale(v->GetDepth() + 1.0f, 1.0f));
    preview->SetPos(v->GetX(), v->GetY());
    // lower previews draw over higher ones
    preview->SetLayer(SatAdd(v->GetY(), 30));
}
