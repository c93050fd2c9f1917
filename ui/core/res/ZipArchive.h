#pragma once
// Read-only access to a zip archive (stored and deflated members) held in a
// file or in a caller's memory block. Skins are looked up by entry name.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

// Result codes of the zip reader.
enum ZipResult : uint32_t {
    kZipOk = 0,
    kZipNotFound = 0x500,     // no entry of that name (or the name is too long)
    kZipMoreData = 0x600,     // the buffer is full and the entry has more bytes
    kZipCorrupt = 0x700,      // headers, sizes or compressed data are inconsistent
    kZipReadError = 0x800,    // the file could not be read
    kZipUnsupported = 0x900,  // encrypted entry or a compression method other than stored/deflated
    kZipBadArgs = 0x10000,    // no archive handle, or an index outside the directory
    kZipWrongHandle = 0x80000 // the handle is not an archive opened for reading
};

// Names handed to Find must be shorter than this.
constexpr size_t kZipMaxNameLength = 256;

struct TZipEntry {
    int index = -1;
    std::wstring name;              // converted to wide, at most 259 characters
    uint32_t uncompressedSize = 0;
    uint32_t compressedSize = 0;
    uint32_t crc32 = 0;
    uint16_t method = 0;            // 0 stored, 8 deflated
    uint16_t flags = 0;             // general-purpose bit flags
    uint32_t localHeaderOffset = 0;
};

class ZipArchive {
public:
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Opens an archive file; none when it cannot be opened or is not a zip archive.
    static std::unique_ptr<ZipArchive> OpenFromFile(const std::wstring& path);
    // Opens an archive over a caller's block, which must outlive the archive.
    static std::unique_ptr<ZipArchive> OpenFromMemory(const void* bytes, size_t size);
    static void Close(std::unique_ptr<ZipArchive>& archive) { archive.reset(); }

    // Finds the first entry whose name equals `name` ('\' taken as '/'); with
    // `ignoreCase` ASCII letters compare case-insensitively.
    ZipResult Find(const std::wstring& name, bool ignoreCase, int& index, TZipEntry& entry) const;

    // Unpacks entry `index` into `buffer`: kZipOk when the whole entry fitted,
    // kZipMoreData when `size` bytes were written and the entry holds more.
    // `written` (optional) receives the number of bytes stored.
    ZipResult Extract(int index, void* buffer, uint32_t size, uint32_t* written = nullptr) const;

    int EntryCount() const { return static_cast<int>(m_entries.size()); }
    ZipResult EntryAt(int index, TZipEntry& entry) const;
    const std::string& Comment() const { return m_comment; }

private:
    struct TRecord {
        std::string name; // raw bytes as stored in the central directory
        uint64_t compressedSize;
        uint64_t uncompressedSize;
        uint64_t localHeaderOffset;
        uint32_t crc32;
        uint16_t method;
        uint16_t flags;
    };
    class CSource;
    class CFileSource;
    class CMemorySource;

    explicit ZipArchive(std::unique_ptr<CSource> source);
    bool ReadDirectory();
    ZipResult Inflate(const TRecord& record, uint64_t dataOffset, uint8_t* out, uint32_t size, uint32_t& written) const;
    ZipResult Copy(const TRecord& record, uint64_t dataOffset, uint8_t* out, uint32_t size, uint32_t& written) const;
    void Describe(int index, TZipEntry& entry) const;

    std::unique_ptr<CSource> m_source;
    uint64_t m_archiveBase = 0; // bytes in front of the archive (self-extracting stubs)
    std::vector<TRecord> m_entries;
    std::string m_comment;
};

// Wide and optional-handle forms, returning kZipBadArgs when there is no archive.
ZipResult ZipFind(const ZipArchive* archive, const std::wstring& name, bool ignoreCase, int& index, TZipEntry& entry);
ZipResult ZipExtract(const ZipArchive* archive, int index, void* buffer, uint32_t size, uint32_t* written = nullptr);

} // namespace SkinUI
