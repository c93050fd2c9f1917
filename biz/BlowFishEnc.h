#pragma once
// The suite's block cipher: Blowfish in ECB mode with little-endian block
// halves and zero padding of a short last block. Enciphers "cfg.dll".
#include <cstddef>
#include <cstdint>
#include <memory>

class EncryptionInterface {
public:
    EncryptionInterface() = default;
    virtual ~EncryptionInterface(); // wipes the key text
    EncryptionInterface(const EncryptionInterface&) = delete;
    EncryptionInterface& operator=(const EncryptionInterface&) = delete;

    // Returns `length` rounded up to a multiple of 8; `out` (which may be `in`)
    // must hold that many bytes.
    virtual size_t Encrypt(const uint8_t* in, size_t length, uint8_t* out) = 0;
    // Returns `length`; `out` (which may be `in`) must hold `length` bytes.
    virtual size_t Decrypt(const uint8_t* in, size_t length, uint8_t* out) = 0;

protected:
    void SetKeyText(const char* text);

    char m_keyText[100] = {};
};

class BlowFishEnc : public EncryptionInterface {
public:
    // The suite's built-in key, shared with whatever produces "cfg.dll".
    static constexpr const char* kSuiteKey = "3F6A2C1D-8B4E-4F9A-A7C2-1E5D9B0F6A34";

    BlowFishEnc();
    // An arbitrary key, for tests and tools. An empty key leaves the initial
    // subkeys unmixed.
    BlowFishEnc(const uint8_t* key, size_t keyLength);
    ~BlowFishEnc() override;

    size_t Encrypt(const uint8_t* in, size_t length, uint8_t* out) override;
    size_t Decrypt(const uint8_t* in, size_t length, uint8_t* out) override;

    // One 64-bit block as its two halves.
    void EncryptBlock(uint32_t& left, uint32_t& right) const;
    void DecryptBlock(uint32_t& left, uint32_t& right) const;

private:
    void Schedule(const uint8_t* key, size_t keyLength);
    uint32_t Round(uint32_t x) const;

    std::unique_ptr<uint32_t[]> m_p;     // 18 round subkeys
    std::unique_ptr<uint32_t[]> m_boxes; // S0..S3, 256 words each, one block
};
