#pragma once
// The zlib stream a PNG spreads over its IDAT chunks, inflated piece by piece
// so that a whole image never has to sit in memory next to its bitmap.
#include "ui/core/gfx/image/PngStructure.h"

#include <zlib.h>

#include <cstddef>
#include <vector>

namespace SkinUI {

class CPngImageData {
public:
    explicit CPngImageData(const std::vector<TByteSpan>& chunks);
    ~CPngImageData();
    CPngImageData(const CPngImageData&) = delete;
    CPngImageData& operator=(const CPngImageData&) = delete;

    // Fills `out` with the next `size` inflated bytes; false when the stream is
    // damaged or ends before that.
    bool Read(BYTE* out, size_t size);

    // True when the stream ends (checksum verified) right after what was read.
    // Bytes after its end in the last chunks are ignored.
    bool EndsHere();

private:
    // Runs inflate until `out` is full or the stream ends; the zlib status.
    int InflateInto(BYTE* out, size_t size);

    const std::vector<TByteSpan>& m_chunks;
    size_t m_nextChunk = 0;
    z_stream m_stream = {};
    bool m_ready = false;
    bool m_ended = false;
};

} // namespace SkinUI
