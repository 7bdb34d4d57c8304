// Raw deflate on the desktop, by zlib: the level links a browser player sends.
#include <zlib.h>

#include "base/platform.h"

namespace {

// A zlib stream of raw deflate (no header, no trailer), at the best
// compression for packing, or for unpacking.
bool start_stream(z_stream& stream, bool packing)
{
    stream = z_stream{};
    return packing ? deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9,
                                  Z_DEFAULT_STRATEGY)
                         == Z_OK
                   : inflateInit2(&stream, -MAX_WBITS) == Z_OK;
}

}  // namespace

bool deflate_bytes(const uint8_t* in, size_t size, std::vector<uint8_t>& out)
{
    z_stream stream;
    if (!start_stream(stream, true))
        return false;
    out.assign(deflateBound(&stream, uLong(size)), 0);
    stream.next_in = const_cast<Bytef*>(in);
    stream.avail_in = uInt(size);
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return done;
}

bool inflate_bytes(const uint8_t* in, size_t size, size_t limit, std::vector<uint8_t>& out)
{
    z_stream stream;
    if (!start_stream(stream, false))
        return false;
    // One byte more than the limit: a stream that fills it is too long.
    out.assign(limit + 1, 0);
    stream.next_in = const_cast<Bytef*>(in);
    stream.avail_in = uInt(size);
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    const bool whole = result == Z_STREAM_END && stream.avail_in == 0 && out.size() <= limit;
    inflateEnd(&stream);
    return whole;
}
