// Leak reports the sanitizers should not make: allocations that the media
// libraries keep for the life of the process. Included by each program's
// main file; compiles to nothing without AddressSanitizer (g++ says so with
// __SANITIZE_ADDRESS__, clang with __has_feature).
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define ENGINE_WITH_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ENGINE_WITH_ASAN 1
#endif
#endif

#if defined(ENGINE_WITH_ASAN)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libSDL2\n"
           "leak:libSDL-1.2\n"
           "leak:libSDL_image\n"
           "leak:libSDL_mixer\n"
           "leak:libSDL_ttf\n"
           "leak:libfreetype\n"
           "leak:libfontconfig\n"
           "leak:libdbus\n"
           "leak:libX11\n"
           "leak:libasound\n"
           "leak:libpulse\n";
}
#endif
