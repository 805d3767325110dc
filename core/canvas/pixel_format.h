// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the canvas stores a pixel: in the format of the front-end that shows it, so that the
// pixels go to the screen as they are, without a conversion on the way.
//
// Colours handed to the canvas and read back from it are colour values, red in the low byte:
// red + 256 * green + 65536 * blue. A pixel is a 32-bit word with 0xFF in its top byte:
//   Xrgb: 0xFFRRGGBB, as QImage::Format_RGB32 and a 32-bit Windows DIB hold it.
//   Xbgr: 0xFFBBGGRR, i.e. the bytes R, G, B, 255 in memory on a little-endian machine, as a
//         browser's ImageData holds them.
// The colour value 0x123456 (red 0x56, green 0x34, blue 0x12) is the Xrgb pixel 0xFF563412 and
// the Xbgr pixel 0xFF123456. Bits of a colour value above the low 24 are dropped.

#include <cstdint>

namespace tarrowen {

enum class PixelFormat { Xrgb, Xbgr };

constexpr std::uint32_t encode_pixel(std::int32_t colour, PixelFormat format) {
    const auto v = static_cast<std::uint32_t>(colour) & 0xFFFFFFu;
    if (format == PixelFormat::Xbgr) return 0xFF000000u | v;
    return 0xFF000000u | ((v & 0xFFu) << 16) | (v & 0xFF00u) | (v >> 16);
}

constexpr std::int32_t decode_pixel(std::uint32_t pixel, PixelFormat format) {
    const std::uint32_t v = pixel & 0xFFFFFFu;
    if (format == PixelFormat::Xbgr) return static_cast<std::int32_t>(v);
    return static_cast<std::int32_t>(((v & 0xFFu) << 16) | (v & 0xFF00u) | (v >> 16));
}

}  // namespace tarrowen
