// Raw deflate in the browser build. The runner under node uses node's own
// zlib; the page does its deflating in JavaScript with the browser's
// CompressionStream (it is asynchronous there) and hands the game the packed
// bytes, so these calls are not used in a page and say so.
#include <emscripten.h>

#include "base/platform.h"

namespace {

// Writes the deflated (or inflated) bytes into [into, into + capacity) and
// returns their number, or -1: not under node, damaged, or too long.
EM_JS(int, node_zlib, (int packing, const uint8_t* from, int size, uint8_t* into, int capacity), {
    if (typeof process != 'object' || !process.versions || !process.versions.node)
        return -1;
    const zlib = require('zlib');
    const input = Buffer.from(HEAPU8.subarray(from, from + size));
    let result;
    try {
        result = packing ? zlib.deflateRawSync(input, ({level : 9, memLevel : 9}))
                         : zlib.inflateRawSync(input, {maxOutputLength : capacity});
    } catch (error) {
        return -1;
    }
    if (result.length > capacity)
        return -1;
    HEAPU8.set(result, into);
    return result.length;
});

bool run_zlib(bool packing, const uint8_t* in, size_t size, size_t capacity,
              std::vector<uint8_t>& out)
{
    out.assign(capacity, 0);
    const int length = node_zlib(packing ? 1 : 0, in, int(size), out.data(), int(capacity));
    out.resize(length < 0 ? 0 : size_t(length));
    return length >= 0;
}

}  // namespace

bool deflate_bytes(const uint8_t* in, size_t size, std::vector<uint8_t>& out)
{
    // Deflate never grows data by more than a few bytes per 16 KB block.
    return run_zlib(true, in, size, size + size / 1000 + 64, out);
}

bool inflate_bytes(const uint8_t* in, size_t size, size_t limit, std::vector<uint8_t>& out)
{
    // maxOutputLength one past the limit: a stream that reaches it is too long.
    return run_zlib(false, in, size, limit + 1, out) && out.size() <= limit;
}
