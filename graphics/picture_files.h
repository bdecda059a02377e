// The engine's own picture banks: ".zel" (raw 32-bit pixel runs) and ".z16"
// (RGB 5-6-5 colour runs plus 8-bit alpha runs), each a count followed by
// pictures with their placement rectangles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/image.h"

namespace GraphAPI {

// Write one picture: a new file with count 1 (newFile != 0), or appended to
// an existing file whose count grows by one. The file is replaced as a
// whole, so a failed save leaves what was there.
void SaveZel(const Image* image, const char* path, int newFile);
void SaveZ16(const Image* image, const char* path, int newFile);
// images[0..n-1] as one new file; nothing for n < 1.
void SaveZelFile(const Image* const* images, const char* path, int n);
void SaveZ16File(const Image* const* images, const char* path, int n);

// Read the file's pictures into new records (each owning its surface, in
// 32-bit ARGB, or XRGB for pictures saved without alpha) stored in
// images[0..], at most `room` of them. Returns how many were read; a bad
// picture ends the read there.
int LoadZel(Image** images, const char* path, int room);
int LoadZ16(Image** images, const char* path, int room);

// The file's picture count (0 when it cannot be read), never more than the
// file has room for.
int32_t CountPictures(const char* path);

// The in-memory halves of the above, for whole files.
std::string EncodeZelPicture(const Image& image);
std::string EncodeZ16Picture(const Image& image);
int DecodeZel(const uint8_t* data, size_t size, Image** images, int room);
int DecodeZ16(const uint8_t* data, size_t size, Image** images, int room);

}  // namespace GraphAPI
