#pragma once
// PNG files made for tests: written by stb_image_write (grey, grey+alpha, RGB,
// RGBA, with a chosen row filter), or assembled chunk by chunk for what it
// cannot write (palettes, tRNS, split IDAT, any filter per row, odd headers).
#include <cstdint>
#include <string>
#include <vector>

namespace PngTest {

// Samples of a width x height image with `channels` per pixel: colour ramps,
// flat runs and noise, alpha hitting 0, 255 and values between. Seeded.
std::vector<uint8_t> MakeSamples(int width, int height, int channels, unsigned seed);

// stb_image_write's PNG; `filter` 0..4 forces that filter on every row, -1 lets it choose per row.
std::string StbWrittenPng(const std::vector<uint8_t>& samples, int width, int height, int channels,
                          int filter = -1);

// One chunk: length, type, data, CRC.
std::string Chunk(const char* type, const std::string& data);

// An IHDR chunk.
std::string HeaderChunk(uint32_t width, uint32_t height, int depth, int colour, int interlace = 0);

// Rows of `rowBytes` samples, each preceded by its filter type (filters[row % filters.size()])
// and filtered with it; `pixelBytes` as the format defines it.
std::string FilterRows(const std::vector<uint8_t>& samples, size_t rowBytes, size_t pixelBytes,
                       const std::vector<int>& filters);

std::string Compress(const std::string& data);

// The signature, then the chunks as given.
std::string PngFile(const std::vector<std::string>& chunks);

// Chunks of a PNG file after its signature: offset, length and type of each.
struct TChunkPlace {
    size_t offset;
    uint32_t length;
    std::string type;
};
std::vector<TChunkPlace> ChunkPlaces(const std::string& png);

} // namespace PngTest
