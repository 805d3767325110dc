// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a PNG as the browsers' screenshots write it (8 bits a sample, RGB or RGBA, not
// interlaced) into RGBA pixels, with node's own zlib: the tests compare the screen's pixels
// without another package.
import zlib from 'node:zlib';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

// {width, height, rgba: Uint8Array of width * height * 4}.
export function decodePng(bytes) {
  if (!bytes.subarray(0, 8).equals(SIGNATURE)) throw new Error('not a PNG');
  let width = 0, height = 0, channels = 0;
  const data = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const [depth, colour, , , interlace] = body.subarray(8, 13);
      channels = {2: 3, 6: 4}[colour];
      if (depth !== 8 || !channels || interlace !== 0) {
        throw new Error(`PNG of depth ${depth}, colour type ${colour}, interlace ${interlace}`);
      }
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = new Uint8Array(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const out = rows.subarray(y * stride, (y + 1) * stride);
    const up = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : new Uint8Array(stride);
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? out[i - channels] : 0;
      const b = up[i];
      const c = i >= channels ? up[i - channels] : 0;
      let v = line[i];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      } else if (filter !== 0) {
        throw new Error(`PNG row filter ${filter}`);
      }
      out[i] = v & 0xff;
    }
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let p = 0; p < width * height; ++p) {
    for (let k = 0; k < 3; ++k) rgba[4 * p + k] = rows[channels * p + k];
    rgba[4 * p + 3] = channels === 4 ? rows[channels * p + 3] : 255;
  }
  return {width, height, rgba};
}

// The pixels of `image` in the device-pixel rectangle [x0, x1) x [y0, y1), row by row.
export function crop(image, x0, y0, x1, y1) {
  const out = new Uint8Array((x1 - x0) * (y1 - y0) * 4);
  for (let y = y0; y < y1; ++y) {
    out.set(image.rgba.subarray(4 * (y * image.width + x0), 4 * (y * image.width + x1)),
            4 * (y - y0) * (x1 - x0));
  }
  return out;
}
