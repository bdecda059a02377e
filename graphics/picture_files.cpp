// Writers and readers of ".zel" and ".z16" picture banks.
//
// Layout (little-endian): int32 count, then per picture a 41-byte header
// (0, x, y, w, h, srx, sry, srw, srh, 0 as int32, then a has-alpha byte) and
// its body. ".zel" body: runs of (u16 length, u32 pixel). ".z16" body: int32
// distance from itself to the alpha runs, runs of (u8 length, u16 RGB565),
// then runs of (u8 length, u8 alpha). Runs end at every row end.
#include "graphics/picture_files.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "foundation/file_io.h"
#include "graphics/display_format.h"
#include "graphics/graph_api.h"
#include "graphics/pixel_io.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

namespace {

constexpr size_t kHeaderSize = 41;

void PutU8(std::string& out, uint32_t v) { out.push_back(static_cast<char>(v & 0xFF)); }
void PutU16(std::string& out, uint32_t v) {
    PutU8(out, v);
    PutU8(out, v >> 8);
}
void PutU32(std::string& out, uint32_t v) {
    PutU16(out, v);
    PutU16(out, v >> 16);
}
void PutI32(std::string& out, int32_t v) { PutU32(out, static_cast<uint32_t>(v)); }

uint32_t GetU16(const uint8_t* p) { return uint32_t{p[0]} | (uint32_t{p[1]} << 8); }
uint32_t GetU32(const uint8_t* p) { return GetU16(p) | (GetU16(p + 2) << 16); }
int32_t GetI32(const uint8_t* p) { return static_cast<int32_t>(GetU32(p)); }

void PutHeader(std::string& out, const Image& image) {
    PutI32(out, 0);
    for (int32_t v : {image.x, image.y, image.w, image.h, image.srx, image.sry, image.srw, image.srh})
        PutI32(out, v);
    PutI32(out, 0);
    PutU8(out, HasAlpha(&image) ? 1 : 0);
}

// Reads the picture's pixels as the files store them: the record's w x h
// area at its shown part, row by row. Pixels outside the surface read as
// transparent.
class PictureReader {
public:
    explicit PictureReader(const Image& image) : image(image), surface(image.surface), lock(image.surface) {
        const SDL_PixelFormat* f = surface->format;
        alpha = f->Amask != 0;
        // ARGB and XRGB pixels are stored raw; other formats are rebuilt
        // as ARGB values.
        raw = Fast32Pixels::Fits(surface) && f->Rshift == 16 && f->Gshift == 8 && f->Bshift == 0 &&
              (!alpha || f->Ashift == 24);
    }
    bool Ok() const { return lock.Ok() && surface->pixels; }
    int Width() const { return std::max(image.w, 0); }
    int Height() const { return std::max(image.h, 0); }

    // Raw ".zel" value and the RGBA of the pixel (i, j) of the picture.
    void Read(int i, int j, uint32_t& value, Rgba& c) const {
        const int64_t x = int64_t{image.srx} + i, y = int64_t{image.sry} + j;
        if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) {
            value = 0;
            c = {0, 0, 0, 0};
            return;
        }
        const uint32_t p = GetPixel(surface, static_cast<int>(x), static_cast<int>(y));
        Uint8 r, g, b, a;
        SDL_GetRGBA(p, surface->format, &r, &g, &b, &a);
        c = {r, g, b, a};
        if (a == 0) {
            value = 0;
        } else if (raw) {
            value = p;
        } else {
            value = (alpha ? uint32_t{a} << 24 : 0u) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
        }
    }

private:
    const Image& image;
    SDL_Surface* surface;
    SurfaceLock lock;
    bool alpha = false;
    bool raw = false;
};

// Collects one stream's runs: a run ends at a change of value, at the
// length limit and at every row end.
template <class WriteRun>
class RunBuilder {
public:
    RunBuilder(uint32_t limit, WriteRun write) : limit(limit), write(write) {}
    void Add(uint32_t v) {
        if (v == value && length < limit) {
            ++length;
            return;
        }
        if (length != 0) write(length, value);
        length = 1;
        value = v;
    }
    void EndRow() {
        if (length != 0) write(length, value);
        length = 0;
        value = 0;
    }

private:
    uint32_t limit;
    WriteRun write;
    uint32_t length = 0, value = 0;
};

// Writes the picture row by row as one stream of runs of at most `limit`
// equal values; pick(value, c) gives a point's value from its raw ".zel"
// value and its RGBA.
template <class Pick, class WriteRun>
void EncodeRuns(const PictureReader& reader, uint32_t limit, Pick pick, WriteRun write) {
    RunBuilder runs(limit, write);
    const int w = reader.Width(), h = reader.Height();
    uint32_t value;
    Rgba c;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            reader.Read(i, j, value, c);
            runs.Add(pick(value, c));
        }
        runs.EndRow();
    }
}

uint32_t Rgb565(const Rgba& c) {
    if (c.a == 0) return 0;
    return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
}

bool WriteWhole(const char* path, const std::string& bytes, const char* who) {
    AtomicFileWriter writer(path, "wb");
    if (writer.Open() && std::fwrite(bytes.data(), 1, bytes.size(), writer.Stream()) == bytes.size() &&
        writer.Commit())
        return true;
    std::printf("\n%s: cannot write %s", who, path);
    return false;
}

using Encoder = std::string (*)(const Image&);

void SaveOne(const Image* image, const char* path, int newFile, const char* who, Encoder encode) {
    if (!image) {
        std::printf("\n%s brak img", who);
        return;
    }
    if (!image->surface) {
        std::printf("\n%s brak img->img", who);
        return;
    }
    if (!path) return;
    std::string file;
    if (newFile) {
        PutI32(file, 1);
    } else {
        if (!ReadWholeFile(path, file)) {
            std::printf("\n%s: cannot open %s", who, path);
            return;
        }
        const int32_t count = file.size() >= 4 ? GetI32(reinterpret_cast<const uint8_t*>(file.data())) : -1;
        if (count < 0 || count == INT32_MAX) {
            std::printf("\n%s: not a picture file %s", who, path);
            return;
        }
        std::string head;
        PutI32(head, count + 1);
        file.replace(0, 4, head);
    }
    file += encode(*image);
    WriteWhole(path, file, who);
}

void SaveMany(const Image* const* images, const char* path, int n, const char* who, Encoder encode) {
    if (!images || n < 1) return;
    for (int i = 0; i < n; ++i) {
        if (!images[i]) {
            std::printf("\n%s brak img", who);
            return;
        }
        if (!images[i]->surface) {
            std::printf("\n%s brak img->img", who);
            return;
        }
    }
    if (!path) return;
    std::string file;
    PutI32(file, n);
    for (int i = 0; i < n; ++i) file += encode(*images[i]);
    WriteWhole(path, file, who);
}

// What every picture of either variant starts with.
struct Header {
    int32_t x, y, w, h;
    bool alpha;
};

bool ReadHeader(const uint8_t* data, size_t size, size_t& pos, Header& header) {
    if (size - pos < kHeaderSize) return false;
    const uint8_t* p = data + pos;
    header.x = GetI32(p + 4);
    header.y = GetI32(p + 8);
    header.w = GetI32(p + 12);
    header.h = GetI32(p + 16);
    header.alpha = p[40] != 0;
    pos += kHeaderSize;
    // Sizes SDL can hold: the pixel bytes and the pitch fit an int.
    if (header.w < 0 || header.h < 0) return false;
    return uint64_t(header.w) * uint64_t(header.h) * 4u <= uint64_t{INT32_MAX};
}

// A new record over a new 32-bit surface for the header's picture.
std::unique_ptr<Image> NewPicture(const Header& header) {
    SDL_Surface* s = CreateSurface32(header.w, header.h, header.alpha);
    if (!s) return nullptr;
    auto image = std::make_unique<Image>();
    image->AdoptSurface(s);
    ResetFromSurface(s, image.get());
    image->x = header.x;
    image->y = header.y;
    return image;
}

uint32_t* Row(SDL_Surface* s, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                       static_cast<ptrdiff_t>(y) * s->pitch);
}

int32_t FileCount(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    return GetI32(data);
}

}  // namespace

std::string EncodeZelPicture(const Image& image) {
    std::string out;
    PutHeader(out, image);
    if (!image.surface) return out;
    PictureReader reader(image);
    if (!reader.Ok()) return out;
    out.reserve(out.size() + static_cast<size_t>(reader.Height()) * 6 * 4);
    EncodeRuns(
        reader, 0xFFFF, [](uint32_t value, const Rgba&) { return value; },
        [&out](uint32_t length, uint32_t value) {
            PutU16(out, length);
            PutU32(out, value);
        });
    return out;
}

std::string EncodeZ16Picture(const Image& image) {
    std::string out;
    PutHeader(out, image);
    const size_t field = out.size();
    PutI32(out, 4);  // the distance when there are no colour runs (an empty picture)
    if (!image.surface) return out;
    PictureReader reader(image);
    if (!reader.Ok()) return out;
    EncodeRuns(
        reader, 255, [](uint32_t, const Rgba& c) { return Rgb565(c); },
        [&out](uint32_t length, uint32_t colour) {
            PutU8(out, length);
            PutU16(out, colour);
        });
    const size_t offset = out.size() - field;
    if (offset > uint64_t{INT32_MAX}) return out;
    std::string offsetBytes;
    PutI32(offsetBytes, static_cast<int32_t>(offset));
    out.replace(field, 4, offsetBytes);
    EncodeRuns(
        reader, 255, [](uint32_t, const Rgba& c) { return c.a; },
        [&out](uint32_t length, uint32_t a) {
            PutU8(out, length);
            PutU8(out, a);
        });
    return out;
}

void SaveZel(const Image* image, const char* path, int newFile) {
    SaveOne(image, path, newFile, "SaveZel", EncodeZelPicture);
}

void SaveZ16(const Image* image, const char* path, int newFile) {
    SaveOne(image, path, newFile, "SaveZ16", EncodeZ16Picture);
}

void SaveZelFile(const Image* const* images, const char* path, int n) {
    SaveMany(images, path, n, "SaveZel", EncodeZelPicture);
}

void SaveZ16File(const Image* const* images, const char* path, int n) {
    SaveMany(images, path, n, "SaveZ16", EncodeZ16Picture);
}

int DecodeZel(const uint8_t* data, size_t size, Image** images, int room) {
    if (!data || !images) return 0;
    const int32_t count = std::min(FileCount(data, size), room);
    size_t pos = 4;
    int done = 0;
    for (; done < count; ++done) {
        Header header;
        if (!ReadHeader(data, size, pos, header)) break;
        // Each run of at most 65535 pixels takes 6 bytes.
        const uint64_t pixels = uint64_t(header.w) * uint64_t(header.h);
        if (pixels > (size - pos) / 6 * 0xFFFFull) break;
        std::unique_ptr<Image> image = NewPicture(header);
        if (!image) break;
        SDL_Surface* s = image->surface;
        bool bad = false;
        uint32_t left = 0, value = 0;
        for (int y = 0; y < header.h && !bad; ++y) {
            uint32_t* row = Row(s, y);
            int x = 0;
            while (x < header.w) {
                if (left == 0) {
                    if (size - pos < 6) {
                        bad = true;
                        break;
                    }
                    left = std::max<uint32_t>(GetU16(data + pos), 1);
                    value = GetU32(data + pos + 2);
                    pos += 6;
                }
                const uint32_t n = std::min<uint32_t>(left, static_cast<uint32_t>(header.w - x));
                std::fill_n(row + x, n, value);
                x += static_cast<int>(n);
                left -= n;
            }
        }
        if (bad) break;
        images[done] = image.release();
    }
    return done;
}

int DecodeZ16(const uint8_t* data, size_t size, Image** images, int room) {
    if (!data || !images) return 0;
    const int32_t count = std::min(FileCount(data, size), room);
    size_t pos = 4;
    int done = 0;
    for (; done < count; ++done) {
        Header header;
        if (!ReadHeader(data, size, pos, header)) break;
        if (size - pos < 4) break;
        const size_t field = pos;
        const int32_t offset = GetI32(data + field);
        if (offset < 4 || static_cast<uint64_t>(offset) > size - field) break;
        size_t colourPos = field + 4;
        const size_t colourEnd = field + static_cast<size_t>(offset);
        size_t alphaPos = colourEnd;
        // Runs of at most 255 pixels: three bytes each for colour, two for
        // alpha.
        const uint64_t pixels = uint64_t(header.w) * uint64_t(header.h);
        if (pixels > (colourEnd - colourPos) / 3 * 255ull || pixels > (size - alphaPos) / 2 * 255ull) break;
        std::unique_ptr<Image> image = NewPicture(header);
        if (!image) break;
        SDL_Surface* s = image->surface;
        bool bad = false;
        uint32_t colourLeft = 0, alphaLeft = 0, rgb = 0, alpha = 0;
        for (int y = 0; y < header.h && !bad; ++y) {
            uint32_t* row = Row(s, y);
            int x = 0;
            while (x < header.w) {
                if (colourLeft == 0) {
                    if (colourEnd - colourPos < 3) {
                        bad = true;
                        break;
                    }
                    colourLeft = std::max<uint32_t>(data[colourPos], 1);
                    const uint32_t c = GetU16(data + colourPos + 1);
                    rgb = ((c & 0xF800) << 8) | ((c & 0x07E0) << 5) | ((c & 0x001F) << 3);
                    colourPos += 3;
                }
                if (alphaLeft == 0) {
                    if (size - alphaPos < 2) {
                        bad = true;
                        break;
                    }
                    alphaLeft = std::max<uint32_t>(data[alphaPos], 1);
                    alpha = uint32_t{data[alphaPos + 1]} << 24;
                    alphaPos += 2;
                }
                const uint32_t n = std::min({colourLeft, alphaLeft, static_cast<uint32_t>(header.w - x)});
                std::fill_n(row + x, n, alpha | rgb);
                x += static_cast<int>(n);
                colourLeft -= n;
                alphaLeft -= n;
            }
        }
        if (bad) break;
        pos = alphaPos;
        images[done] = image.release();
    }
    return done;
}

namespace {
int LoadFile(Image** images, const char* path, int room,
             int (*decode)(const uint8_t*, size_t, Image**, int)) {
    if (!images || !path || room < 1) return 0;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return 0;
    return decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), images, room);
}
}  // namespace

int LoadZel(Image** images, const char* path, int room) { return LoadFile(images, path, room, DecodeZel); }

int LoadZ16(Image** images, const char* path, int room) { return LoadFile(images, path, room, DecodeZ16); }

int32_t CountPictures(const char* path) {
    if (!path) return 0;
    FILE* f = std::fopen(path, "rb");
    if (!f) return 0;
    uint8_t head[4];
    const bool ok = std::fread(head, 1, 4, f) == 4;
    long size = -1;
    if (ok && std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    std::fclose(f);
    if (!ok || size < 4) return 0;
    // Every picture takes at least its header.
    const int64_t fits = (size - 4) / static_cast<int64_t>(kHeaderSize);
    return static_cast<int32_t>(std::clamp<int64_t>(GetI32(head), 0, fits));
}

}  // namespace GraphAPI
