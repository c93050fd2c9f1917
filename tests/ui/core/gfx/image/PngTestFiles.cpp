#include "tests/ui/core/gfx/image/PngTestFiles.h"

#include <zlib.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cstdlib>
#include <random>

namespace PngTest {

namespace {

void Append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

std::string BigEndian32(uint32_t value)
{
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

int Paeth(int left, int above, int upperLeft)
{
    const int estimate = left + above - upperLeft;
    const int toLeft = std::abs(estimate - left), toAbove = std::abs(estimate - above),
              toUpperLeft = std::abs(estimate - upperLeft);
    if (toLeft <= toAbove && toLeft <= toUpperLeft)
        return left;
    return toAbove <= toUpperLeft ? above : upperLeft;
}

// stb_image_write keeps its filter choice in a variable of its own; restored on scope exit.
class CForcedFilter {
public:
    explicit CForcedFilter(int filter) : m_previous(stbi_write_force_png_filter)
    {
        stbi_write_force_png_filter = filter;
    }
    ~CForcedFilter() { stbi_write_force_png_filter = m_previous; }
    CForcedFilter(const CForcedFilter&) = delete;
    CForcedFilter& operator=(const CForcedFilter&) = delete;

private:
    int m_previous;
};

} // namespace

std::vector<uint8_t> MakeSamples(int width, int height, int channels, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> samples(size_t(width) * height * channels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &samples[(size_t(y) * width + x) * channels];
            const unsigned region = unsigned(x / 4 + y / 3) % 4;
            for (int c = 0; c < channels; ++c) {
                const unsigned ramp = unsigned(x * 7 + y * 13 + c * 50);
                pixel[c] = region == 0 ? uint8_t(ramp) : region == 1 ? uint8_t(0x40 * c) : uint8_t(random());
            }
            if (channels == 2 || channels == 4) {
                static const uint8_t alphas[] = {0, 255, 255, 128, 1, 254, 77};
                pixel[channels - 1] = region == 3 ? uint8_t(random()) : alphas[(x + y) % 7];
            }
        }
    return samples;
}

std::string StbWrittenPng(const std::vector<uint8_t>& samples, int width, int height, int channels, int filter)
{
    CForcedFilter forced(filter);
    std::string png;
    stbi_write_png_to_func(Append, &png, width, height, channels, samples.data(), width * channels);
    return png;
}

std::string Chunk(const char* type, const std::string& data)
{
    std::string body = std::string(type, 4) + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
    return BigEndian32(uint32_t(data.size())) + body + BigEndian32(uint32_t(crc));
}

std::string HeaderChunk(uint32_t width, uint32_t height, int depth, int colour, int interlace)
{
    std::string data = BigEndian32(width) + BigEndian32(height);
    data += {char(depth), char(colour), 0, 0, char(interlace)};
    return Chunk("IHDR", data);
}

std::string FilterRows(const std::vector<uint8_t>& samples, size_t rowBytes, size_t pixelBytes,
                       const std::vector<int>& filters)
{
    std::string out;
    const size_t rows = samples.size() / rowBytes;
    for (size_t y = 0; y < rows; ++y) {
        const int filter = filters[y % filters.size()];
        out += char(filter);
        const uint8_t* row = &samples[y * rowBytes];
        const uint8_t* prior = y > 0 ? row - rowBytes : nullptr;
        for (size_t i = 0; i < rowBytes; ++i) {
            const int left = i >= pixelBytes ? row[i - pixelBytes] : 0;
            const int above = prior ? prior[i] : 0;
            const int upperLeft = prior && i >= pixelBytes ? prior[i - pixelBytes] : 0;
            int predicted = 0;
            switch (filter) {
            case 1: predicted = left; break;
            case 2: predicted = above; break;
            case 3: predicted = (left + above) >> 1; break;
            case 4: predicted = Paeth(left, above, upperLeft); break;
            default: break;
            }
            out += char(uint8_t(row[i] - predicted));
        }
    }
    return out;
}

std::string Compress(const std::string& data)
{
    uLongf size = compressBound(uLong(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
              uLong(data.size()), 9);
    out.resize(size);
    return out;
}

std::string PngFile(const std::vector<std::string>& chunks)
{
    std::string png = "\x89PNG\r\n\x1a\n";
    for (const std::string& chunk : chunks)
        png += chunk;
    return png;
}

std::vector<TChunkPlace> ChunkPlaces(const std::string& png)
{
    std::vector<TChunkPlace> places;
    size_t at = 8;
    while (at + 8 <= png.size()) {
        uint32_t length = 0;
        for (int i = 0; i < 4; ++i)
            length = length << 8 | uint8_t(png[at + i]);
        places.push_back({at, length, png.substr(at + 4, 4)});
        if (length > png.size() - at - 8)
            break;
        at += 12 + length;
    }
    return places;
}

} // namespace PngTest
