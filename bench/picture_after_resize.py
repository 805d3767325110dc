#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The time from a resize of the program's window to its picture shown at the new size.

  picture_after_resize.py WINDOW_ID KEYS_OR_SIZE X Y COLOUR [TIMEOUT_S]

Sends the resize (KEYS_OR_SIZE: "F11", given to the window with xdotool, or "WxH", the
window sized by xdotool as a window manager would), then reads the screen's pixel (X, Y)
(root coordinates) straight from the X server, some thousand times a second, until it is
COLOUR (hex RRGGBB): a pixel that only the picture drawn at the new size has. Prints the
milliseconds from the request to that pixel, or "timeout". Needs libX11 and xdotool.
"""
import ctypes
import ctypes.util
import subprocess
import sys
import time


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, up to its data.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint8))]


def main(window, request, x, y, colour, timeout=5.0):
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XFree.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    root = x11.XDefaultRootWindow(display)
    want = int(colour.lstrip("#"), 16)

    def pixel():
        image = x11.XGetImage(display, root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        data = image.contents.data
        value = data[2] << 16 | data[1] << 8 | data[0]  # 32 bits a pixel, little-endian BGRX
        x11.XFree(data)
        x11.XFree(image)
        return value

    start = time.monotonic()
    if request == "F11":
        subprocess.run(["xdotool", "key", "--window", window, "F11"], check=True)
    else:
        w, h = request.split("x")
        subprocess.run(["xdotool", "windowsize", window, w, h], check=True)
    while pixel() != want:
        if time.monotonic() - start > timeout:
            print("timeout")
            return 1
    print("%.0f" % (1000 * (time.monotonic() - start)))
    return 0


if __name__ == "__main__":
    if len(sys.argv) not in (6, 7):
        sys.exit(__doc__)
    a = sys.argv
    sys.exit(main(a[1], a[2], int(a[3]), int(a[4]), a[5], *map(float, a[6:])))
