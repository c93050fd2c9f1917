#include "ui/core/res/ZipArchive.h"

#include "base/ScopedHandle.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace SkinUI {

namespace {

constexpr uint32_t kEndOfDirectorySignature = 0x06054b50;
constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kDirectoryEntrySignature = 0x02014b50;
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr size_t kEndOfDirectorySize = 22;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kZip64EndSize = 56;
constexpr size_t kDirectoryEntrySize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr uint64_t kMaxSearchBack = 0xFFFF;
constexpr size_t kSearchStep = 1024;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagUtf8Name = 0x0800;
constexpr size_t kReadChunk = 64 * 1024;
constexpr size_t kMaxWideEntryName = 259;

inline uint16_t Le16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t Le32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline uint64_t Le64(const uint8_t* p)
{
    return uint64_t(Le32(p)) | (uint64_t(Le32(p + 4)) << 32);
}

inline char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool NamesEqual(const std::string& a, const std::string& b, bool ignoreCase)
{
    if (a.size() != b.size())
        return false;
    if (!ignoreCase)
        return a == b;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

std::string ToCodePage(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    const int length = ::WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string result(size_t(length), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), &result[0], length, nullptr, nullptr);
    return result;
}

std::wstring FromCodePage(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring result(size_t(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &result[0], length);
    return result;
}

} // namespace

// Where the archive's bytes come from: positioned reads over a file or a block.
class ZipArchive::CSource {
public:
    virtual ~CSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `length` bytes at `offset`; false when they are not all there.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t length) const = 0;
};

class ZipArchive::CFileSource : public ZipArchive::CSource {
public:
    CFileSource(CFileHandle file, uint64_t size) : m_file(std::move(file)), m_size(size) {}
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, void* buffer, size_t length) const override
    {
        if (offset > m_size || length > m_size - offset)
            return false;
        uint8_t* out = static_cast<uint8_t*>(buffer);
        while (length > 0) {
            OVERLAPPED position = {};
            position.Offset = DWORD(offset & 0xFFFFFFFFu);
            position.OffsetHigh = DWORD(offset >> 32);
            const DWORD request = DWORD(std::min<size_t>(length, 0x10000000));
            DWORD read = 0;
            if (!::ReadFile(m_file.Get(), out, request, &read, &position) || read == 0)
                return false;
            out += read;
            offset += read;
            length -= read;
        }
        return true;
    }

private:
    CFileHandle m_file;
    uint64_t m_size;
};

class ZipArchive::CMemorySource : public ZipArchive::CSource {
public:
    CMemorySource(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, void* buffer, size_t length) const override
    {
        if (offset > m_size || length > m_size - offset)
            return false;
        if (length > 0)
            std::memcpy(buffer, m_bytes + offset, length);
        return true;
    }

private:
    const uint8_t* m_bytes;
    size_t m_size;
};

ZipArchive::ZipArchive(std::unique_ptr<CSource> source) : m_source(std::move(source)) {}

ZipArchive::~ZipArchive() = default;

std::unique_ptr<ZipArchive> ZipArchive::OpenFromFile(const std::wstring& path)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0)
        return nullptr;
    std::unique_ptr<ZipArchive> archive(
        new ZipArchive(std::make_unique<CFileSource>(std::move(file), uint64_t(size.QuadPart))));
    if (!archive->ReadDirectory())
        return nullptr;
    return archive;
}

std::unique_ptr<ZipArchive> ZipArchive::OpenFromMemory(const void* bytes, size_t size)
{
    if (bytes == nullptr)
        return nullptr;
    std::unique_ptr<ZipArchive> archive(
        new ZipArchive(std::make_unique<CMemorySource>(static_cast<const uint8_t*>(bytes), size)));
    if (!archive->ReadDirectory())
        return nullptr;
    return archive;
}

// Finds the end-of-central-directory record (searching back from the end in
// overlapping steps, at most 64 KiB back), then reads every directory entry.
bool ZipArchive::ReadDirectory()
{
    const uint64_t size = m_source->Size();
    if (size < kEndOfDirectorySize)
        return false;
    const uint64_t maxBack = std::min<uint64_t>(size, kMaxSearchBack);
    uint8_t window[kSearchStep + 4];
    uint8_t record[kEndOfDirectorySize];
    uint64_t back = 4;
    uint64_t endPosition = 0;
    bool found = false;
    while (!found && back < maxBack) {
        back = std::min<uint64_t>(back + kSearchStep, maxBack);
        const uint64_t readPosition = size - back;
        const size_t readSize = size_t(std::min<uint64_t>(kSearchStep + 4, size - readPosition));
        if (!m_source->ReadAt(readPosition, window, readSize))
            return false;
        for (size_t i = readSize - 4 + 1; i-- > 0 && !found;) {
            if (Le32(window + i) != kEndOfDirectorySignature)
                continue;
            const uint64_t candidate = readPosition + i;
            if (candidate + kEndOfDirectorySize > size || !m_source->ReadAt(candidate, record, sizeof(record)))
                continue;
            // Multi-disk archives are not supported: skins never are split.
            if (Le16(record + 4) != 0 || Le16(record + 6) != 0)
                continue;
            endPosition = candidate;
            found = true;
        }
    }
    if (!found)
        return false;

    uint64_t entryCount = Le16(record + 10);
    uint64_t directorySize = Le32(record + 12);
    uint64_t directoryOffset = Le32(record + 16);
    const uint16_t commentLength = Le16(record + 20);
    uint64_t directoryEnd = endPosition; // where the directory must end

    if (entryCount == 0xFFFF || directorySize == 0xFFFFFFFFu || directoryOffset == 0xFFFFFFFFu) {
        uint8_t locator[kZip64LocatorSize];
        uint8_t end64[kZip64EndSize];
        if (endPosition >= kZip64LocatorSize &&
            m_source->ReadAt(endPosition - kZip64LocatorSize, locator, sizeof(locator)) &&
            Le32(locator) == kZip64LocatorSignature) {
            const uint64_t end64Position = Le64(locator + 8);
            if (end64Position > endPosition - kZip64LocatorSize ||
                !m_source->ReadAt(end64Position, end64, sizeof(end64)) || Le32(end64) != kZip64EndSignature)
                return false;
            entryCount = Le64(end64 + 32);
            directorySize = Le64(end64 + 40);
            directoryOffset = Le64(end64 + 48);
            directoryEnd = end64Position;
        }
    }

    if (directorySize > directoryEnd || directoryOffset > directoryEnd - directorySize)
        return false;
    // Bytes in front of the archive (a stub) shift every stored offset.
    m_archiveBase = directoryEnd - directorySize - directoryOffset;
    if (entryCount > directorySize / kDirectoryEntrySize)
        return false;

    const size_t commentAvailable = size_t(std::min<uint64_t>(commentLength, size - endPosition - kEndOfDirectorySize));
    m_comment.assign(commentAvailable, '\0');
    if (commentAvailable > 0 && !m_source->ReadAt(endPosition + kEndOfDirectorySize, &m_comment[0], commentAvailable))
        m_comment.clear();

    std::vector<uint8_t> directory(static_cast<size_t>(directorySize));
    if (directorySize > 0 && !m_source->ReadAt(m_archiveBase + directoryOffset, directory.data(), directory.size()))
        return false;

    m_entries.clear();
    m_entries.reserve(size_t(entryCount));
    size_t position = 0;
    for (uint64_t i = 0; i < entryCount; ++i) {
        if (directory.size() - position < kDirectoryEntrySize)
            return false;
        const uint8_t* header = directory.data() + position;
        if (Le32(header) != kDirectoryEntrySignature)
            return false;
        const size_t nameLength = Le16(header + 28);
        const size_t extraLength = Le16(header + 30);
        const size_t entryCommentLength = Le16(header + 32);
        const size_t total = kDirectoryEntrySize + nameLength + extraLength + entryCommentLength;
        if (directory.size() - position < total)
            return false;

        TRecord entry;
        entry.flags = Le16(header + 8);
        entry.method = Le16(header + 10);
        entry.crc32 = Le32(header + 16);
        entry.compressedSize = Le32(header + 20);
        entry.uncompressedSize = Le32(header + 24);
        entry.localHeaderOffset = Le32(header + 42);
        entry.name.assign(reinterpret_cast<const char*>(header + kDirectoryEntrySize), nameLength);

        // Zip64 extra field: present values replace those saturated at 0xFFFFFFFF, in this order.
        const uint8_t* extra = header + kDirectoryEntrySize + nameLength;
        size_t extraPosition = 0;
        while (extraLength - extraPosition >= 4) {
            const uint16_t tag = Le16(extra + extraPosition);
            const size_t fieldLength = Le16(extra + extraPosition + 2);
            if (extraLength - extraPosition - 4 < fieldLength)
                break;
            if (tag == 0x0001) {
                const uint8_t* field = extra + extraPosition + 4;
                size_t used = 0;
                auto take = [&](uint64_t& value) {
                    if (value == 0xFFFFFFFFu && fieldLength - used >= 8) {
                        value = Le64(field + used);
                        used += 8;
                    }
                };
                take(entry.uncompressedSize);
                take(entry.compressedSize);
                take(entry.localHeaderOffset);
            }
            extraPosition += 4 + fieldLength;
        }
        m_entries.push_back(std::move(entry));
        position += total;
    }
    return true;
}

void ZipArchive::Describe(int index, TZipEntry& entry) const
{
    const TRecord& record = m_entries[size_t(index)];
    entry.index = index;
    entry.name = FromCodePage(record.name, (record.flags & kFlagUtf8Name) ? CP_UTF8 : CP_ACP);
    if (entry.name.size() > kMaxWideEntryName)
        entry.name.resize(kMaxWideEntryName);
    auto clamp = [](uint64_t value) { return uint32_t(std::min<uint64_t>(value, 0xFFFFFFFFu)); };
    entry.uncompressedSize = clamp(record.uncompressedSize);
    entry.compressedSize = clamp(record.compressedSize);
    entry.crc32 = record.crc32;
    entry.method = record.method;
    entry.flags = record.flags;
    entry.localHeaderOffset = clamp(record.localHeaderOffset);
}

ZipResult ZipArchive::EntryAt(int index, TZipEntry& entry) const
{
    if (index < 0 || size_t(index) >= m_entries.size())
        return kZipBadArgs;
    Describe(index, entry);
    return kZipOk;
}

ZipResult ZipArchive::Find(const std::wstring& name, bool ignoreCase, int& index, TZipEntry& entry) const
{
    index = -1;
    if (name.size() >= kZipMaxNameLength)
        return kZipNotFound;
    std::wstring wanted = name;
    std::replace(wanted.begin(), wanted.end(), L'\\', L'/');
    const std::string ansi = ToCodePage(wanted, CP_ACP);
    std::string utf8; // entries flagged as UTF-8 are compared in UTF-8
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const TRecord& record = m_entries[i];
        const std::string* converted = &ansi;
        if (record.flags & kFlagUtf8Name) {
            if (utf8.empty())
                utf8 = ToCodePage(wanted, CP_UTF8);
            converted = &utf8;
        }
        if (NamesEqual(record.name, *converted, ignoreCase)) {
            index = int(i);
            Describe(index, entry);
            return kZipOk;
        }
    }
    return kZipNotFound;
}

ZipResult ZipArchive::Extract(int index, void* buffer, uint32_t size, uint32_t* written) const
{
    uint32_t stored = 0;
    if (written != nullptr)
        *written = 0;
    if (index < 0 || size_t(index) >= m_entries.size() || (buffer == nullptr && size > 0))
        return kZipBadArgs;
    const TRecord& record = m_entries[size_t(index)];
    if (record.flags & kFlagEncrypted)
        return kZipUnsupported;
    if (record.method != 0 && record.method != Z_DEFLATED)
        return kZipUnsupported;

    // The data follows the local header, whose name and extra field may differ
    // in length from the directory's copy.
    uint8_t local[kLocalHeaderSize];
    const uint64_t archiveSize = m_source->Size();
    if (record.localHeaderOffset > archiveSize - m_archiveBase)
        return kZipCorrupt;
    const uint64_t localOffset = m_archiveBase + record.localHeaderOffset;
    if (!m_source->ReadAt(localOffset, local, sizeof(local)) || Le32(local) != kLocalHeaderSignature)
        return kZipCorrupt;
    const uint64_t dataOffset = localOffset + kLocalHeaderSize + Le16(local + 26) + Le16(local + 28);
    if (dataOffset > archiveSize || record.compressedSize > archiveSize - dataOffset)
        return kZipCorrupt;

    uint8_t* out = static_cast<uint8_t*>(buffer);
    const ZipResult result = record.method == 0 ? Copy(record, dataOffset, out, size, stored)
                                                : Inflate(record, dataOffset, out, size, stored);
    if (written != nullptr)
        *written = stored;
    return result;
}

ZipResult ZipArchive::Copy(const TRecord& record, uint64_t dataOffset, uint8_t* out, uint32_t size,
                           uint32_t& written) const
{
    if (record.compressedSize != record.uncompressedSize)
        return kZipCorrupt;
    const uint32_t count = uint32_t(std::min<uint64_t>(size, record.uncompressedSize));
    if (count > 0 && !m_source->ReadAt(dataOffset, out, count))
        return kZipReadError;
    written = count;
    return record.uncompressedSize > size ? kZipMoreData : kZipOk;
}

ZipResult ZipArchive::Inflate(const TRecord& record, uint64_t dataOffset, uint8_t* out, uint32_t size,
                              uint32_t& written) const
{
    z_stream stream = {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return kZipCorrupt;
    struct CEnd {
        z_stream& stream;
        ~CEnd() { inflateEnd(&stream); }
    } end{stream};

    std::vector<uint8_t> chunk(size_t(std::min<uint64_t>(kReadChunk, std::max<uint64_t>(record.compressedSize, 1))));
    uint64_t remaining = record.compressedSize;
    uint64_t readOffset = dataOffset;
    stream.next_out = out;
    stream.avail_out = size;
    for (;;) {
        if (stream.avail_in == 0 && remaining > 0) {
            const size_t count = size_t(std::min<uint64_t>(remaining, chunk.size()));
            if (!m_source->ReadAt(readOffset, chunk.data(), count))
                return kZipReadError;
            readOffset += count;
            remaining -= count;
            stream.next_in = chunk.data();
            stream.avail_in = uInt(count);
        }
        if (stream.avail_out == 0) {
            written = size;
            // Full buffer: the entry has more when its size says so; data
            // beyond the stated size means the entry is damaged.
            if (record.uncompressedSize > size)
                return kZipMoreData;
            return record.uncompressedSize == size ? kZipOk : kZipCorrupt;
        }
        const uInt outBefore = stream.avail_out;
        const uInt inBefore = stream.avail_in;
        const int status = inflate(&stream, Z_NO_FLUSH);
        written = size - stream.avail_out;
        if (status == Z_STREAM_END)
            return written == record.uncompressedSize ? kZipOk : kZipCorrupt;
        if (status != Z_OK && status != Z_BUF_ERROR)
            return kZipCorrupt;
        const bool progressed = stream.avail_out != outBefore || stream.avail_in != inBefore;
        if (!progressed && remaining == 0 && stream.avail_out > 0)
            return kZipCorrupt; // the compressed data ended before its stream did
        if (!progressed && stream.avail_in > 0 && stream.avail_out > 0)
            return kZipCorrupt;
    }
}

ZipResult ZipFind(const ZipArchive* archive, const std::wstring& name, bool ignoreCase, int& index, TZipEntry& entry)
{
    index = -1;
    if (archive == nullptr)
        return kZipBadArgs;
    return archive->Find(name, ignoreCase, index, entry);
}

ZipResult ZipExtract(const ZipArchive* archive, int index, void* buffer, uint32_t size, uint32_t* written)
{
    if (written != nullptr)
        *written = 0;
    if (archive == nullptr)
        return kZipBadArgs;
    return archive->Extract(index, buffer, size, written);
}

} // namespace SkinUI
