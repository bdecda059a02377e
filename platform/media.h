// Starting the media library (video and audio) and dressing the window:
// its caption and icon. The SDL bodies are in platform/sdl_backend.cpp.
#pragma once

struct SDL_Surface;

// Starts video and audio; false when the library cannot start (then
// MediaError() says why).
bool StartMedia();
// The media library's text for its last failure; never null.
const char* MediaError();

// Sets the window's title; the text is copied.
void SetWindowCaption(const char* caption);
// Sets the window's icon; the caller still owns the surface and may free it
// afterwards. Call after StartMedia.
void SetWindowIcon(SDL_Surface* icon);
