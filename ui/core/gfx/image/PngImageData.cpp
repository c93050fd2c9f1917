#include "ui/core/gfx/image/PngImageData.h"

namespace SkinUI {

CPngImageData::CPngImageData(const std::vector<TByteSpan>& chunks) : m_chunks(chunks)
{
    m_ready = inflateInit(&m_stream) == Z_OK;
}

CPngImageData::~CPngImageData()
{
    if (m_ready)
        inflateEnd(&m_stream);
}

int CPngImageData::InflateInto(BYTE* out, size_t size)
{
    m_stream.next_out = out;
    m_stream.avail_out = uInt(size);
    while (m_stream.avail_out > 0) {
        if (m_stream.avail_in == 0) {
            if (m_nextChunk == m_chunks.size())
                return Z_BUF_ERROR; // the chunks ran out before the stream ended
            m_stream.next_in = const_cast<Bytef*>(m_chunks[m_nextChunk].data);
            m_stream.avail_in = uInt(m_chunks[m_nextChunk].size);
            ++m_nextChunk;
        }
        const int status = inflate(&m_stream, Z_NO_FLUSH);
        if (status != Z_OK)
            return status;
    }
    return Z_OK;
}

bool CPngImageData::Read(BYTE* out, size_t size)
{
    if (!m_ready || m_ended)
        return false;
    const int status = InflateInto(out, size);
    if (status == Z_STREAM_END)
        m_ended = true;
    return (status == Z_OK || status == Z_STREAM_END) && m_stream.avail_out == 0;
}

bool CPngImageData::EndsHere()
{
    if (m_ended)
        return true;
    if (!m_ready)
        return false;
    // Room for one more byte: the stream must end without producing it.
    BYTE spare;
    const int status = InflateInto(&spare, 1);
    m_ended = status == Z_STREAM_END;
    return m_ended && m_stream.avail_out == 1;
}

} // namespace SkinUI
