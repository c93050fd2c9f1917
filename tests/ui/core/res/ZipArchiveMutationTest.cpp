// Damaged archives: truncated, with offsets and sizes pointing anywhere, a
// directory outside the file, broken deflate data, and seeded random damage.
// The reader reads only inside the block (it ends at a no-access page) and
// answers with its result codes.
#include "tests/support/GuardedMemory.h"
#include "tests/ui/core/res/ZipFixtures.h"
#include "ui/core/res/ZipArchive.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

using namespace SkinUI;

namespace {

void Put32(std::string& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void PutByte(std::string& bytes, size_t at, char value)
{
    if (at < bytes.size())
        bytes[at] = value;
}

uint32_t Get32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[at + size_t(i)]);
    return value;
}

size_t EndRecord(const std::string& bytes)
{
    return bytes.rfind(std::string("PK\5\6", 4));
}

size_t FirstDirectoryEntry(const std::string& bytes)
{
    return Get32(bytes, EndRecord(bytes) + 16);
}

std::unique_ptr<ZipArchive> Open(const GuardedMemory::CBlock& block)
{
    return ZipArchive::OpenFromMemory(block.Data(), block.Size());
}

const std::set<uint32_t> kResults = {kZipOk,      kZipNotFound,    kZipMoreData, kZipCorrupt,
                                     kZipReadError, kZipUnsupported, kZipBadArgs};

// Extracts every entry into a guarded buffer of its stated size (capped), so
// a write past the buffer faults too.
void ExerciseAll(const ZipArchive& archive)
{
    for (int i = 0; i < archive.EntryCount(); ++i) {
        TZipEntry entry;
        ASSERT_EQ(kZipOk, archive.EntryAt(i, entry));
        int found = -1;
        TZipEntry same;
        const ZipResult findResult = archive.Find(entry.name, true, found, same);
        EXPECT_TRUE(findResult == kZipOk || findResult == kZipNotFound);
        const uint32_t size = entry.uncompressedSize < (1u << 20) ? entry.uncompressedSize : (1u << 20);
        GuardedMemory::CBlock out(std::string(size, '\0'));
        uint32_t written = 0;
        const ZipResult result = archive.Extract(i, const_cast<uint8_t*>(out.Data()), size, &written);
        EXPECT_TRUE(kResults.count(result)) << std::hex << result;
        EXPECT_LE(written, size);
    }
}

} // namespace

TEST(ZipArchiveDamage, TruncatedArchivesDoNotOpenOrReportErrors)
{
    const std::string bytes = ZipFixtures::Bytes(L"infozip_deflated.zip");
    for (size_t length = 0; length < bytes.size(); length += 97) {
        GuardedMemory::CBlock block(bytes.substr(0, length));
        std::unique_ptr<ZipArchive> archive = Open(block);
        if (archive)
            ExerciseAll(*archive);
    }
    // Cut inside the end record: no archive.
    GuardedMemory::CBlock cut(bytes.substr(0, bytes.size() - 30));
    EXPECT_FALSE(Open(cut));
}

TEST(ZipArchiveDamage, DirectoryOutsideTheFileDoesNotOpen)
{
    std::string bytes = ZipFixtures::Bytes(L"infozip_deflated.zip");
    const size_t end = EndRecord(bytes);
    std::string offset = bytes, size = bytes, count = bytes;
    Put32(offset, end + 16, uint32_t(bytes.size() + 10));
    Put32(size, end + 12, 0xFFFFFF00u);
    count[end + 10] = char(0x7F); // far more entries than the directory holds
    for (const std::string* damaged : {&offset, &size, &count}) {
        GuardedMemory::CBlock block(*damaged);
        EXPECT_FALSE(Open(block));
    }
}

TEST(ZipArchiveDamage, LocalHeaderOffsetOutsideTheFileIsCorrupt)
{
    std::string bytes = ZipFixtures::Bytes(L"infozip_stored.zip");
    Put32(bytes, FirstDirectoryEntry(bytes) + 42, 0x7FFFFFF0u);
    GuardedMemory::CBlock block(bytes);
    std::unique_ptr<ZipArchive> archive = Open(block);
    ASSERT_TRUE(archive);
    char buffer[16];
    EXPECT_EQ(kZipCorrupt, archive->Extract(0, buffer, sizeof(buffer)));
}

TEST(ZipArchiveDamage, CompressedSizeBeyondTheFileIsCorrupt)
{
    std::string bytes = ZipFixtures::Bytes(L"python_mixed.zip");
    Put32(bytes, FirstDirectoryEntry(bytes) + 20, 0x00FFFFFFu);
    GuardedMemory::CBlock block(bytes);
    std::unique_ptr<ZipArchive> archive = Open(block);
    ASSERT_TRUE(archive);
    char buffer[512];
    EXPECT_EQ(kZipCorrupt, archive->Extract(0, buffer, sizeof(buffer)));
}

TEST(ZipArchiveDamage, StoredSizeMismatchIsCorrupt)
{
    std::string bytes = ZipFixtures::Bytes(L"infozip_stored.zip");
    const size_t entry = FirstDirectoryEntry(bytes);
    Put32(bytes, entry + 24, Get32(bytes, entry + 24) + 5);
    GuardedMemory::CBlock block(bytes);
    std::unique_ptr<ZipArchive> archive = Open(block);
    ASSERT_TRUE(archive);
    char buffer[512];
    EXPECT_EQ(kZipCorrupt, archive->Extract(0, buffer, sizeof(buffer)));
}

TEST(ZipArchiveDamage, BadDeflateDataIsCorrupt)
{
    std::string bytes = ZipFixtures::Bytes(L"python_mixed.zip");
    // The first member is the deflated markup; its data follows the 30-byte header and its name.
    const size_t data = 30 + std::string("RuzerodOradirWnd.xml").size();
    bytes[data] = char(0x07); // final block of the reserved type 3
    GuardedMemory::CBlock block(bytes);
    std::unique_ptr<ZipArchive> archive = Open(block);
    ASSERT_TRUE(archive);
    char buffer[299];
    EXPECT_EQ(kZipCorrupt, archive->Extract(0, buffer, sizeof(buffer)));
}

TEST(ZipArchiveDamage, DeflateStreamShorterThanStatedSizeIsCorrupt)
{
    std::string bytes = ZipFixtures::Bytes(L"python_mixed.zip");
    const size_t entry = FirstDirectoryEntry(bytes);
    Put32(bytes, entry + 24, Get32(bytes, entry + 24) + 100); // claims 100 more bytes than it inflates to
    GuardedMemory::CBlock block(bytes);
    std::unique_ptr<ZipArchive> archive = Open(block);
    ASSERT_TRUE(archive);
    std::string buffer(399, '\0');
    EXPECT_EQ(kZipCorrupt, archive->Extract(0, &buffer[0], 399));
}

TEST(ZipArchiveDamage, EncryptedOrUnknownMethodIsUnsupported)
{
    std::string encrypted = ZipFixtures::Bytes(L"infozip_stored.zip");
    std::string method = encrypted;
    const size_t entry = FirstDirectoryEntry(encrypted);
    encrypted[entry + 8] = char(encrypted[entry + 8] | 1);
    method[entry + 10] = 14;
    char buffer[16];
    for (const std::string* damaged : {&encrypted, &method}) {
        GuardedMemory::CBlock block(*damaged);
        std::unique_ptr<ZipArchive> archive = Open(block);
        ASSERT_TRUE(archive);
        EXPECT_EQ(kZipUnsupported, archive->Extract(0, buffer, sizeof(buffer)));
    }
}

TEST(ZipArchiveDamage, SeededRandomDamageNeverCrashes)
{
    std::mt19937 random(0x5A1F);
    const std::string sources[] = {ZipFixtures::Bytes(L"infozip_deflated.zip"),
                                   ZipFixtures::Bytes(L"python_mixed.zip"),
                                   ZipFixtures::Bytes(L"infozip_streamed.zip")};
    int opened = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = sources[round % 3];
        const size_t end = EndRecord(bytes);
        const size_t directory = FirstDirectoryEntry(bytes);
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            switch (random() % 6) {
            case 0: // random bytes anywhere
                PutByte(bytes, random() % (bytes.size() + 1), char(random()));
                break;
            case 1: // a directory field (sizes, offsets, name lengths)
                Put32(bytes, directory + 16 + (random() % 27), random() % 4 == 0 ? random() : random() % 70000);
                break;
            case 2: // an end-record field
                Put32(bytes, end + 8 + (random() % 11), random() % 2 ? random() : random() % 70000);
                break;
            case 3: // the deflate data of the first member
                for (int i = 0; i < 8; ++i)
                    PutByte(bytes, 60 + random() % 200, char(random()));
                break;
            case 4:
                bytes.resize(random() % (bytes.size() + 1));
                break;
            default: // a second end record inside the data
                if (bytes.size() > 30)
                    bytes.replace(random() % (bytes.size() - 22), 4, std::string("PK\5\6", 4));
                break;
            }
        }
        GuardedMemory::CBlock block(bytes);
        std::unique_ptr<ZipArchive> archive = Open(block);
        if (archive) {
            ++opened;
            ExerciseAll(*archive);
        }
    }
    EXPECT_GT(opened, 0);
}
