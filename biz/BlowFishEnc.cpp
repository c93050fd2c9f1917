#include "BlowFishEnc.h"

#include "BlowFishTables.h"

#include <windows.h>

#include <cstring>
#include <limits>

namespace {

constexpr size_t kBlockSize = 8;

uint32_t ReadHalf(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void WriteHalf(uint32_t value, uint8_t* bytes)
{
    bytes[0] = uint8_t(value);
    bytes[1] = uint8_t(value >> 8);
    bytes[2] = uint8_t(value >> 16);
    bytes[3] = uint8_t(value >> 24);
}

template <typename BlockCipher>
void TransformBlock(uint8_t* block, BlockCipher&& cipher)
{
    uint32_t left = ReadHalf(block);
    uint32_t right = ReadHalf(block + 4);
    cipher(left, right);
    WriteHalf(left, block);
    WriteHalf(right, block + 4);
}

} // namespace

EncryptionInterface::~EncryptionInterface()
{
    ::SecureZeroMemory(m_keyText, sizeof(m_keyText));
}

void EncryptionInterface::SetKeyText(const char* text)
{
    // A bounded copy: at most 99 characters, always terminated.
    const size_t length = ::strnlen(text, sizeof(m_keyText) - 1);
    std::memcpy(m_keyText, text, length);
    std::memset(m_keyText + length, 0, sizeof(m_keyText) - length);
}

BlowFishEnc::BlowFishEnc() : BlowFishEnc(reinterpret_cast<const uint8_t*>(kSuiteKey), std::strlen(kSuiteKey)) {}

BlowFishEnc::BlowFishEnc(const uint8_t* key, size_t keyLength)
    : m_p(new uint32_t[kBlowFishSubkeys]), m_boxes(new uint32_t[4 * 256])
{
    // The key text is the bounded textual form; the schedule uses the raw bytes,
    // so keys holding zero bytes (the published test key) work too.
    char text[sizeof(m_keyText)] = {};
    if (key && keyLength > 0)
        std::memcpy(text, key, keyLength < sizeof(text) - 1 ? keyLength : sizeof(text) - 1);
    else
        keyLength = 0;
    SetKeyText(text);
    ::SecureZeroMemory(text, sizeof(text));
    Schedule(key, keyLength);
}

BlowFishEnc::~BlowFishEnc()
{
    ::SecureZeroMemory(m_p.get(), kBlowFishSubkeys * sizeof(uint32_t));
    ::SecureZeroMemory(m_boxes.get(), 4 * 256 * sizeof(uint32_t));
}

void BlowFishEnc::Schedule(const uint8_t* key, size_t keyLength)
{
    std::memcpy(m_p.get(), kBlowFishInitialP, sizeof(kBlowFishInitialP));
    std::memcpy(m_boxes.get(), kBlowFishInitialS, sizeof(kBlowFishInitialS));

    if (keyLength > 0) {
        size_t next = 0;
        for (int i = 0; i < kBlowFishSubkeys; ++i) {
            uint32_t word = 0;
            for (int b = 0; b < 4; ++b) {
                word = word << 8 | key[next];
                next = (next + 1) % keyLength;
            }
            m_p[i] ^= word;
        }
    }

    uint32_t left = 0, right = 0;
    for (int i = 0; i < kBlowFishSubkeys; i += 2) {
        EncryptBlock(left, right);
        m_p[i] = left;
        m_p[i + 1] = right;
    }
    for (int i = 0; i < 4 * 256; i += 2) {
        EncryptBlock(left, right);
        m_boxes[i] = left;
        m_boxes[i + 1] = right;
    }
}

uint32_t BlowFishEnc::Round(uint32_t x) const
{
    const uint32_t* s = m_boxes.get();
    return ((s[x >> 24] + s[256 + ((x >> 16) & 0xFF)]) ^ s[512 + ((x >> 8) & 0xFF)]) + s[768 + (x & 0xFF)];
}

// Sixteen rounds with the halves exchanged after each; the last exchange is
// undone, so only P17 whitens the right half at the end (as published: P16
// already entered in the last round).
void BlowFishEnc::EncryptBlock(uint32_t& left, uint32_t& right) const
{
    const uint32_t* p = m_p.get();
    uint32_t l = left ^ p[0];
    uint32_t r = right;
    for (int i = 1; i <= 16; i += 2) {
        r ^= Round(l) ^ p[i];
        l ^= Round(r) ^ p[i + 1];
    }
    left = r ^ p[17];
    right = l;
}

void BlowFishEnc::DecryptBlock(uint32_t& left, uint32_t& right) const
{
    const uint32_t* p = m_p.get();
    uint32_t l = left ^ p[17];
    uint32_t r = right;
    for (int i = 16; i >= 1; i -= 2) {
        r ^= Round(l) ^ p[i];
        l ^= Round(r) ^ p[i - 1];
    }
    left = r ^ p[0];
    right = l;
}

size_t BlowFishEnc::Encrypt(const uint8_t* in, size_t length, uint8_t* out)
{
    // A length this close to the top would wrap when rounded up.
    if (length > std::numeric_limits<size_t>::max() - (kBlockSize - 1))
        return 0;
    if (in != out && length > 0)
        std::memmove(out, in, length);
    const size_t rounded = (length + kBlockSize - 1) / kBlockSize * kBlockSize;
    if (rounded > length)
        std::memset(out + length, 0, rounded - length);
    auto cipher = [this](uint32_t& l, uint32_t& r) { EncryptBlock(l, r); };
    for (size_t offset = 0; offset < rounded; offset += kBlockSize)
        TransformBlock(out + offset, cipher);
    return rounded;
}

size_t BlowFishEnc::Decrypt(const uint8_t* in, size_t length, uint8_t* out)
{
    if (in != out && length > 0)
        std::memmove(out, in, length);
    auto cipher = [this](uint32_t& l, uint32_t& r) { DecryptBlock(l, r); };
    const size_t whole = length / kBlockSize * kBlockSize;
    for (size_t offset = 0; offset < whole; offset += kBlockSize)
        TransformBlock(out + offset, cipher);
    // A partial last block is deciphered as if zero-padded, in a local copy,
    // so nothing beyond `length` is read or written.
    if (whole < length) {
        uint8_t block[kBlockSize] = {};
        std::memcpy(block, out + whole, length - whole);
        TransformBlock(block, cipher);
        std::memcpy(out + whole, block, length - whole);
    }
    return length;
}
