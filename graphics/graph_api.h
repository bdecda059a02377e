// The graphics layer: free functions over the current video state
// (video_state.h) and over Image records (screen set-up and blits, picture
// creation and loading, pixel access).
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "graphics/image.h"
#include "graphics/video_state.h"

namespace GraphAPI {

// Screen set-up and geometry. Init starts the picture and font libraries
// and sets the video mode (a font library that fails ends the program with
// code 2, a video mode that fails with code 1); Shutdown closes every open
// font and the font library, the picture library and SDL, in that order.
// The start-up runs both (Init once; Shutdown at exit, after the audio
// device closed).
int Init(int width, int height, int bitsPerPixel, int fullscreen, int useDesktopDepth);
void Shutdown();
// Enters an opened video mode into the current video state: the screen,
// its size and depth, the screen picture over the whole of it, and the
// application size (the screen's).
void EnterScreen(SDL_Surface* screen, int width, int height, int bitsPerPixel);
void SetAppSize(int w, int h);
void SetScaledSize(int w, int h);
void SetFullscreen(int on);

// Screen blits, fills and updates. A picture's x and y are application
// coordinates: a blit to the screen subtracts the view offsets, a blit to
// any other surface takes them as the surface's own.
int BlitToSurface(const Image* image, SDL_Surface* surface);
// Blits to where drawing goes: the screen, or the picture a snapshot of the
// scene is drawn into (ScopedDrawTarget).
int BlitToScreen(const Image* image);
// Where drawing goes, and the application point its top-left point shows.
struct DrawPlace {
    SDL_Surface* surface;
    int x, y;
};
DrawPlace CurrentDrawPlace();
// Whether drawing goes into a snapshot's picture now.
bool DrawingSnapshot();
void BlitImage(Image* destination, const Image* source);
int FillImageRGBA(Image* image, int r, int g, int b, int a);
int FillImageRGB(Image* image, int r, int g, int b);
void FillScreen(int r, int g, int b, int a);
void FillScreen(int r, int g, int b);
void ClearScreen();
void ClearScreenRGB();
void UpdateRect(const Image* image);
void UpdateScreen();

// Record operations
void CopyImageParams(const Image* source, Image* target);
void CopyImageRect(const Image* source, Image* target);
void ResetFromSurface(SDL_Surface* surface, Image* target);
uint32_t HasAlpha(const Image* image);
void LoadImage(Image* image, const char* path);
void LoadImageRW(Image* image, SDL_RWops* source);
SDL_RWops* OpenRW(const char* path);

// Creating, duplicating and converting pictures; colour keys, RLE, alpha
void CreateImage(Image* image, int w, int h, int withAlpha);
void CreateImage(Image* image, int w, int h);
void DuplicateImage(const Image* source, Image* target);
void DuplicateImageAlpha(const Image* source, Image* target);
Image* CreateSurfaceFromFile(int w, int h, SDL_Surface* surface);
void ConvertSurface(Image* image, const Image* model);
void SetColorKey(Image* image, int r, int g, int b);
void SetRLE(Image* image);
void SetAlpha(Image* image, int alpha);

// Pixel access (surface coordinates; outside the surface reads 0 and
// writes nothing)
uint32_t GetPixel(SDL_Surface* surface, int x, int y);
void PutPixel(SDL_Surface* surface, int x, int y, uint32_t value);
inline int Clamp255(int v) { return v < 256 ? v : 255; }
void PutImagePixel(Image* image, int x, int y, uint32_t value);
uint32_t GetImagePixel(const Image* image, int x, int y);
uint32_t GetPixelLocked(Image* image, int x, int y);
void PutPixelLocked(Image* image, int x, int y, uint32_t value);
void PutPixelRGBA(Image* image, int x, int y, int r, int g, int b, int a);
void PutPixelRGB(Image* image, int x, int y, int r, int g, int b);
bool LockImage(Image* image);
void UnlockImage(Image* image);

// Effects (whole picture, in place)
void MirrorImage(Image* image, int horizontal, int vertical);
void BlackWhite(Image* image, int level);
void ColorizeImage(Image* image, int r, int g, int b, int a, int mode);
void ScaleAlpha(Image* image, int factor);
bool CompareImages(Image* a, Image* b);
// Resampling as SDL_gfx does it (zoom alone, or rotation and zoom): a new
// surface of exactly the size it reports, which the caller owns, null when
// it cannot be made; smooth non-zero filters; a negative factor mirrors, at
// any depth. An empty surface (0 wide or high) gives a new empty one of its
// size and format.
SDL_Surface* ZoomSurface(SDL_Surface* source, double zoomX, double zoomY, int smooth);
SDL_Surface* RotozoomSurface(SDL_Surface* source, double angle, double zoomX, double zoomY, int smooth);
// Scales an own picture's pixels; a shared picture only scales its numbers.
void ScaleImage(Image* image, float fx, float fy);

// Blends: destination first; positions are application coordinates
void BlendOver(Image* destination, Image* source);
void BlendAlpha(Image* destination, Image* source, int alpha);
void BlendAdd(Image* destination, Image* source);
void BlendAdd256(Image* destination, Image* source, int alpha);
void MaskAlpha(Image* destination, Image* mask, int mode);
void ClearWhereOpaque(Image* destination, Image* source);
void BlendMasked(Image* destination, Image* source, Image* mask, int alpha, int mode);
void BlendThroughMask(Image* destination, Image* source, Image* mask);
void BlendThroughMaskRGB(Image* destination, Image* source, Image* mask);
void CopyThroughMask(Image* destination, Image* source, Image* mask);
void CutOutMask(Image* destination, Image* source);

}  // namespace GraphAPI
