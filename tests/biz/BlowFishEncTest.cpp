#include "biz/BlowFishEnc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

} // namespace

TEST(BlowFishKnownAnswer, AllZeroKeyEnciphersZeroBlockToPublishedValue)
{
    const uint8_t key[8] = {};
    BlowFishEnc cipher(key, sizeof key);
    uint8_t block[8] = {};
    EXPECT_EQ(8u, cipher.Encrypt(block, 8, block));
    const uint8_t expected[8] = {0x45, 0x97, 0xF9, 0x4E, 0x78, 0xDD, 0x98, 0x61};
    EXPECT_EQ(0, std::memcmp(expected, block, 8));
}

TEST(BlowFishKnownAnswer, BlockHalvesMatchPublishedValueOfAllOnesKey)
{
    uint8_t key[8];
    std::memset(key, 0xFF, sizeof key);
    BlowFishEnc cipher(key, sizeof key);
    uint32_t left = 0xFFFFFFFF, right = 0xFFFFFFFF;
    cipher.EncryptBlock(left, right);
    EXPECT_EQ(0x51866FD5u, left);
    EXPECT_EQ(0xB85ECB8Au, right);
    cipher.DecryptBlock(left, right);
    EXPECT_EQ(0xFFFFFFFFu, left);
    EXPECT_EQ(0xFFFFFFFFu, right);
}

TEST(BlowFishKnownAnswer, HalvesAreReadLittleEndian)
{
    const uint8_t key[8] = {};
    BlowFishEnc cipher(key, sizeof key);
    uint8_t block[8] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    uint32_t left = 0x04030201, right = 0x08070605;
    cipher.EncryptBlock(left, right);
    cipher.Encrypt(block, 8, block);
    const uint8_t expected[8] = {uint8_t(left), uint8_t(left >> 8), uint8_t(left >> 16), uint8_t(left >> 24),
                                 uint8_t(right), uint8_t(right >> 8), uint8_t(right >> 16), uint8_t(right >> 24)};
    EXPECT_EQ(0, std::memcmp(expected, block, 8));
}

TEST(BlowFishKnownAnswer, BuiltInKeyIsTheSuiteKey)
{
    const std::string key = BlowFishEnc::kSuiteKey;
    ASSERT_EQ(36u, key.size());
    BlowFishEnc builtIn;
    BlowFishEnc explicitKey(reinterpret_cast<const uint8_t*>(key.data()), key.size());
    uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    builtIn.Encrypt(a, 8, a);
    explicitKey.Encrypt(b, 8, b);
    EXPECT_EQ(0, std::memcmp(a, b, 8));
}

TEST(BlowFishPadding, ThirteenBytesEncipherToSixteenAndDecipherWithZeroTail)
{
    BlowFishEnc cipher;
    std::vector<uint8_t> plain = Bytes("Hello, Orvane");
    ASSERT_EQ(13u, plain.size());
    std::vector<uint8_t> sealed(16, 0xAA);
    EXPECT_EQ(16u, cipher.Encrypt(plain.data(), 13, sealed.data()));

    // The last block holds "ane" and three zero bytes, enciphered.
    uint8_t lastBlock[8] = {};
    std::memcpy(lastBlock, plain.data() + 8, 5);
    cipher.Encrypt(lastBlock, 8, lastBlock);
    EXPECT_EQ(0, std::memcmp(lastBlock, sealed.data() + 8, 8));

    std::vector<uint8_t> opened(16, 0xAA);
    EXPECT_EQ(16u, cipher.Decrypt(sealed.data(), 16, opened.data()));
    EXPECT_EQ(0, std::memcmp(plain.data(), opened.data(), 13));
    EXPECT_EQ(0, opened[13]);
    EXPECT_EQ(0, opened[14]);
    EXPECT_EQ(0, opened[15]);
}

TEST(BlowFishPadding, ZeroBytesEncipherToNothingAndTouchNothing)
{
    BlowFishEnc cipher;
    uint8_t in[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    uint8_t out[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(0u, cipher.Encrypt(in, 0, out));
    for (uint8_t b : out)
        EXPECT_EQ(7, b);
    EXPECT_EQ(0u, cipher.Decrypt(in, 0, out));
    for (uint8_t b : out)
        EXPECT_EQ(7, b);
}

TEST(BlowFishPadding, WholeBlocksAreNotPadded)
{
    BlowFishEnc cipher;
    std::vector<uint8_t> buffer(24, 0x5A);
    EXPECT_EQ(24u, cipher.Encrypt(buffer.data(), 24, buffer.data()));
}

TEST(BlowFishPadding, PartialBlockDecipherStaysWithinLength)
{
    BlowFishEnc cipher;
    uint8_t buffer[16];
    std::memset(buffer, 0x33, sizeof buffer);
    EXPECT_EQ(11u, cipher.Decrypt(buffer, 11, buffer));
    for (int i = 11; i < 16; ++i)
        EXPECT_EQ(0x33, buffer[i]) << i;
}

TEST(BlowFishRoundTrip, InPlaceEncryptThenDecryptRestoresInput)
{
    BlowFishEnc cipher;
    for (size_t length : {1u, 7u, 8u, 9u, 64u, 1000u}) {
        std::vector<uint8_t> original(length);
        for (size_t i = 0; i < length; ++i)
            original[i] = uint8_t(i * 37 + 11);
        std::vector<uint8_t> buffer(original);
        buffer.resize((length + 7) / 8 * 8);
        size_t sealed = cipher.Encrypt(buffer.data(), length, buffer.data());
        ASSERT_EQ(buffer.size(), sealed);
        EXPECT_NE(0, std::memcmp(original.data(), buffer.data(), length));
        EXPECT_EQ(sealed, cipher.Decrypt(buffer.data(), sealed, buffer.data()));
        EXPECT_EQ(0, std::memcmp(original.data(), buffer.data(), length)) << length;
    }
}

TEST(BlowFishRoundTrip, EncipheringIsBlockwiseWithoutChaining)
{
    BlowFishEnc cipher;
    uint8_t twoBlocks[16] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8};
    cipher.Encrypt(twoBlocks, 16, twoBlocks);
    EXPECT_EQ(0, std::memcmp(twoBlocks, twoBlocks + 8, 8));
}

TEST(BlowFishRoundTrip, OneObjectServesManyCalls)
{
    BlowFishEnc cipher;
    uint8_t first[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t second[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    cipher.Encrypt(first, 8, first);
    cipher.Decrypt(first, 8, first);
    cipher.Encrypt(first, 8, first);
    cipher.Encrypt(second, 8, second);
    EXPECT_EQ(0, std::memcmp(first, second, 8));
}

TEST(BlowFishRoundTrip, DifferentKeysGiveDifferentBlocks)
{
    const uint8_t keyA[4] = {1, 2, 3, 4};
    const uint8_t keyB[4] = {1, 2, 3, 5};
    BlowFishEnc a(keyA, 4), b(keyB, 4);
    uint8_t blockA[8] = {}, blockB[8] = {};
    a.Encrypt(blockA, 8, blockA);
    b.Encrypt(blockB, 8, blockB);
    EXPECT_NE(0, std::memcmp(blockA, blockB, 8));
}

TEST(BlowFishRoundTrip, EmptyKeyStillRoundTrips)
{
    BlowFishEnc cipher(nullptr, 0);
    uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    cipher.Encrypt(block, 8, block);
    cipher.Decrypt(block, 8, block);
    const uint8_t expected[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(0, std::memcmp(expected, block, 8));
}
