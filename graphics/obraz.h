// The base of every visible object: a picture with a position and hot-spot
// offset, a clip rectangle and the visible part computed from it,
// visibility, a draw mode, a hit-mask margin and an optional linked filter.
//
// The position is the picture's x and y; the object is drawn at position +
// hot-spot offset. Every change of position, hot spot, picture or clip ends
// with a refresh, which recomputes the visible part and requests a redraw.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "foundation/dd_string.h"
#include "graphics/obraz_filter.h"
#include "graphics/sygnal.h"

class Obraz : public Sygnal {
public:
    Obraz();
    explicit Obraz(const Image* image);  // shares the image
    explicit Obraz(const char* path);    // loads the file, scaled
    ~Obraz() override;

    bool HitTest(int x, int y) override;
    void SetLayer(int n) override;

    void Copy(Obraz* other);
    void SetImageRef(const Image* image);
    void Load(const char* path, int applyScale);
    void SetArea(int x1, int y1, int x2, int y2);
    void Clone(Obraz* other);
    void ApplyGlobalScale();
    void Scale(float fx, float fy);
    void Create(int w, int h, int r, int g, int b, int a);
    virtual void Hide();
    virtual void Show();
    bool IsVisible();
    virtual void SetTransparency(int alpha);
    virtual void SetDrawMode(int mode, int ownCopy);
    virtual void SetRLE();
    virtual void SetDelay(int n);
    virtual void Draw();
    virtual void Tick();
    void Refresh();
    void ClipTo(int x1, int y1, int x2, int y2);
    bool WithinCut(int x, int y);
    virtual bool Clip(int x1, int y1, int x2, int y2);
    void ClipToImage(const Image* image);
    void ClipLike(Obraz* other);
    virtual void Move(int dx, int dy);
    virtual void SetPos(int x, int y);
    void SetCenter(int x, int y);
    virtual void SetPosResetLod(int x, int y);
    void SetLod(int x, int y);
    virtual void SetPosition(int x, int y);
    void SetBottomLeft(int x, int y);
    void SetScreenPos(int x, int y);
    virtual void BakeLod();
    bool IsOnScreen();
    void SetOnScreen(bool b);
    virtual Image* GetImage();
    virtual Image* GetScreenImage();
    virtual Image* GetFrameImage();
    Image* GetClipImage();
    Image* GetVisibleImage();
    virtual Image* GetDrawImage();
    void Blit(Obraz* source);
    void BlitMask(Obraz* source, Obraz* mask);
    virtual int GetCenterX();
    virtual int GetCenterY();
    virtual int GetWidth();
    virtual int GetHeight();
    virtual int GetX();
    virtual int GetY();
    virtual int GetEndX();
    virtual int GetEndY();
    int GetImageX();
    int GetImageY();
    virtual int GetLodX();
    virtual int GetLodY();
    int GetPosX();
    int GetPosY();
    virtual bool IsIn(int x, int y, int checkVisible, int checkTransparent);
    bool IsInRect(int x, int y, Image* image);
    bool IsInImage(int x, int y, int checkVisible, int checkTransparent, Image* image);
    uint32_t GetPixel(int x, int y);
    void GetRGBA(int x, int y, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a);
    void GetRGB(int x, int y, uint8_t* r, uint8_t* g, uint8_t* b);
    void PutRGBA(int x, int y, int r, int g, int b, int a);
    void PutRGB(int x, int y, int r, int g, int b);
    void Paint(int r, int g, int b, int a, int mode);
    bool IsTransparentAt(int x, int y);
    uint32_t GetPixelInImage(int x, int y, Image* image);
    bool IsTransparentInImage(int x, int y, Image* image);
    bool Equal(Obraz* other);
    virtual bool HasBitmask();
    virtual void SetBitmask(int margin);

    // Frees the picture, closes the kept source, drops the mode picture and
    // makes every field as a new object has it.
    void Free();
    // Writes by the path's ending: "zel", "z16" or "bmp"; others write nothing.
    void Save(const char* path);
    // Keeps an open source for a later CreateFromBuffer.
    void LoadBuffer(const char* path);
    void CreateFromBuffer();
    void ToDisplayFormat();
    void BuildRotozoom(Obraz* source, double angle, double zoomx, double zoomy);
    void ResetClip();
    // Moves by a distance that may not fit an int (one place to another), in
    // steps that do; positions saturate on the way.
    void MoveFar(int64_t dx, int64_t dy);

    int GetDelay() const { return delay; }
    int GetArrayIndex() const { return arrayIndex; }
    void SetArrayIndex(int i) { arrayIndex = i; }
    void SetArrayName(const char* baseName, int index);
    const char* GetArrayName() const { return arrayName.c_str(); }
    int GetDrawMode() const { return drawMode; }
    int GetMaskMargin() const { return maskMargin; }

    // The linked filter, set and cleared by the filter itself.
    ObrazFilter* GetLinkedFilter() const { return linkedFilter; }
    void SetLinkedFilter(ObrazFilter* filter) { linkedFilter = filter; }

protected:
    void InitFields();
    // The linked filter's output when one is linked.
    Image* FilterOutput() const { return linkedFilter ? linkedFilter->GetOutputImage() : nullptr; }
    void DrawAdditive();

    SDL_RWops* keptSource = nullptr;
    ObrazFilter* linkedFilter = nullptr;
    int32_t drawMode = 0;
    Image* modeImage = nullptr;
    int32_t maskMargin = 0;
    int32_t visible = 1;
    int32_t delay = 0;
    int32_t tickCount = 0;
    int32_t lodX = 0, lodY = 0;
    int32_t arrayIndex = 0;
    Image clipRect;     // x, y, w, h hold x1, y1, x2, y2
    Image visiblePart;  // looks at the picture's surface
    Image screenImage;  // shares the picture, hot spot added
    int32_t onScreen = 0;
    ddString arrayName;
    Image modeScratch;  // composition room for draw mode 1
};
