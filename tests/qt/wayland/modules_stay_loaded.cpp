// SPDX-License-Identifier: GPL-3.0-or-later
// The dlclose of keep_modules_loaded.cpp is the one a library gets: a shared object closed
// through the process's global lookup, as Mesa's EGL closes its driver, stays loaded.
//
//   modules_stay_loaded
//
// Exits 0 when it does, 1 when the object was unloaded or could not be loaded at all.
#include <dlfcn.h>

#include <cstdio>

int main() {
    // Qt's Wayland plugin needs it, and nothing this program links brings it in.
    const char* const library = "libwayland-egl.so.1";
    if (dlopen(library, RTLD_NOW | RTLD_NOLOAD) != nullptr) {
        std::fprintf(stderr, "FAIL: %s is loaded before the check\n", library);
        return 1;
    }
    void* handle = dlopen(library, RTLD_NOW);
    if (handle == nullptr) {
        std::fprintf(stderr, "FAIL: %s\n", dlerror());
        return 1;
    }
    // The address a library's call to dlclose resolves to, not this file's own reference.
    using Close = int (*)(void*);
    auto close = reinterpret_cast<Close>(dlsym(RTLD_DEFAULT, "dlclose"));
    if (close == nullptr || close(handle) != 0) {
        std::fprintf(stderr, "FAIL: dlclose of %s failed\n", library);
        return 1;
    }
    if (dlopen(library, RTLD_NOW | RTLD_NOLOAD) == nullptr) {
        std::fprintf(stderr, "FAIL: dlclose unloaded %s\n", library);
        return 1;
    }
    std::printf("ok: %s stays loaded after dlclose\n", library);
    return 0;
}
