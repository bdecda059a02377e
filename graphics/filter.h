// The rotate, zoom and blend filter: linked to one visible object, it
// replaces how that object is drawn. It rotates and zooms the object's
// picture, places the result by one of three rules, combines it with other
// objects' pictures through five blend modes, fades it by an opacity, and
// can turn it black-and-white or mirror it.
//
// Lifetimes: the link is kept in both directions and whichever side goes
// first clears it. An object listed in a blend list leaves every list when
// it is destroyed.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "foundation/object_gone.h"
#include "graphics/image.h"
#include "graphics/obraz.h"
#include "graphics/obraz_filter.h"

// Blend modes of the blend list.
enum FilterBlendMode : int32_t {
    BLEND_OVER = 0,         // "blend"
    BLEND_MASK = 1,         // "mask"
    BLEND_LINEARDODGE = 2,  // "lineardodge"
    BLEND_LOUPE = 3,        // "loupe"
    BLEND_UMASK = 4,        // "umask"
};

// Placement rules of the output picture.
enum FilterPlacement : int32_t {
    PLACE_CENTRED = 0,  // centred on the object's drawn rectangle
    PLACE_SCALED = 1,   // hot-spot offset grows with the zoom
    PLACE_ROTATED = 2,  // the object's centre turned about its position
};

// Largest side and area of a picture the filter makes; beyond them a
// rotation or zoom is refused and the last output is kept.
constexpr int kFilterMaxSide = 16383;
constexpr int64_t kFilterMaxArea = int64_t{1} << 26;

class ddFilter : public asmClassObj, public ObrazFilter, private GoneListener {
public:
    explicit ddFilter(asmClass* cls = nullptr, const char* name = nullptr);
    ~ddFilter() override;

    void Link(Obraz* object);
    void Unlink();
    // Angle 0, zooms 1.0, smooth 1 (no rebuild).
    void Normal();
    void SetAngle(double a);
    void SetZoom(double z);
    void SetZoomXY(double zx, double zy);
    void SetAngleZoom(double a, double z);
    void SetAngleZoomXY(double a, double zx, double zy);
    // Stores the pivot and switches to the rotated placement.
    void SetRotPoint(int x, int y);
    void AddBlend(Obraz* object, int mode);
    void RemoveBlend(Obraz* object);
    void RemoveAllBlends();
    void SetLevel(int level);
    void ReverseXY(int horizontal, int vertical);
    bool NeedsRender() const { return !blends.empty() || opacity < 255; }

    // Remakes the output from the linked object's picture.
    void Rebuild();
    // Places the output by the placement rule.
    void Place();
    // Placement, then the output rendered onto the target.
    void Draw(SDL_Surface* target);

    // The output as last made; GetOutputImage brings it up to date first.
    const Image& LastOutput() const { return output; }

    // ObrazFilter
    Image* GetOutputImage() override;
    bool IsTransformed() override;
    void DrawToScreen() override;
    int GetOpacity() override { return opacity; }
    bool HasBlends() override { return !blends.empty(); }
    Image* ApplyBlends() override;
    void ForgetLinkedObject(Obraz* object) override;

    Obraz* GetLinked() const { return linked; }
    double GetAngle() const { return angle; }
    double GetZoomX() const { return zoomX; }
    double GetZoomY() const { return zoomY; }
    int GetSmooth() const { return smooth; }
    void SetSmooth(int s) { smooth = s; }
    int GetPlacement() const { return placement; }
    void SetPlacement(int type) { placement = type; }
    void SetOpacity(int o);
    int GetLevel() const { return level; }
    void SetMaskAlpha(int mode) { maskAlpha = mode; }
    int BlendCount() const { return static_cast<int>(blends.size()); }

private:
    // A destroyed object leaves the blend list.
    void ObjectGone(asmClassObj& object, GoneReason reason) override;

    struct BlendEntry {
        Obraz* object;
        int32_t mode;
    };
    // What the output was last made from; a change means the output is stale.
    struct SourceMark {
        SDL_Surface* surface = nullptr;
        int32_t x = 0, y = 0, w = 0, h = 0, srx = 0, sry = 0, posX = 0, posY = 0;
        bool operator==(const SourceMark&) const = default;
    };

    SourceMark MarkOf(Obraz* object);
    // Frees every picture, forgets the source and goes back to Normal.
    void ClearOutput();
    // Rebuilds or re-places when the linked object's picture moved or changed.
    void Sync();
    // A new surface, the shown part of the picture rotated and zoomed (an
    // empty one for an empty picture), or null; `refused` tells a size the
    // filter will not make.
    SDL_Surface* Transform(const Image& source, bool& refused);
    // The blend list applied into `work` (its surface reused when it fits);
    // false when the output has no surface.
    bool ApplyBlendsInto(Image& work);
    // `work` becomes a pixel copy of the output, its surface reused when it fits.
    void CopyOutputInto(Image& work);

    double angle = 0.0;
    double zoomX = 1.0, zoomY = 1.0;
    Obraz* linked = nullptr;
    Image output;
    Image work;       // blended or faded copy of the output, kept between frames
    Image composite;  // screen under the output for the additive draw mode
    int32_t smooth = 1;
    int32_t placement = PLACE_CENTRED;
    int32_t opacity = 255;
    int32_t pivotX = 0, pivotY = 0;
    int32_t level = -1;
    int32_t maskAlpha = 0;
    std::vector<BlendEntry> blends;
    Image visiblePart;  // the rendered picture inside the object's clip rectangle
    SourceMark mark;
    bool syncing = false;
};
