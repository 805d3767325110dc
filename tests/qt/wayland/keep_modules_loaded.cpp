// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the window test programs of the sanitizer builds only: a dlclose that leaves the
// shared object loaded, so that every library a test ever loaded is still mapped when
// LeakSanitizer runs at exit.
//
// Why: Qt's Wayland plugin starts its wayland-egl client buffer integration when a window asks
// whether it may have decorations, and ends it with eglTerminate when the QApplication goes;
// Mesa's EGL then unloads its driver (swrast_dri.so and the libraries it brought in). Memory
// that was allocated from the driver's code and is still held at exit is then reported with
// frames of "<unknown module>": a suppression naming a library cannot match them, and no one
// can tell whose the leak is. With the driver kept, each frame names its library again and
// lsan.supp stays as narrow as it is. The executable's definition comes before the C
// library's in the global lookup scope, so the libraries' calls land here too.
#include <dlfcn.h>

extern "C" int dlclose(void* /*handle*/) noexcept {
    return 0;
}
