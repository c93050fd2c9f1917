#include "ui/core/res/SkinSource.h"

#include "base/ScopedHandle.h"

#include <new>

namespace SkinUI {

namespace {

struct TSkinSourceState {
    HINSTANCE appModule = nullptr;
    std::wstring skinFolder;
    std::wstring skinZipName;
    bool keepZipOpen = true;
    std::unique_ptr<ZipArchive> openZip;
    // The in-memory archive in use, so that it can also be opened per read.
    const void* memoryZip = nullptr;
    size_t memoryZipSize = 0;
    // The copy of the zip resource, made once per process and never freed.
    TByteBlock zipBlock;
};

TSkinSourceState& State()
{
    static TSkinSourceState state;
    return state;
}

enum class EFileRead { Ok, OpenFailed, Empty, TooLarge, ShortRead };

// Reads a whole file of `1..maxSize` bytes in one go.
EFileRead ReadWholeFile(const std::wstring& path, uint64_t maxSize, TByteBlock& bytes)
{
    bytes.clear();
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return EFileRead::OpenFailed;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0)
        return EFileRead::ShortRead;
    if (size.QuadPart == 0)
        return EFileRead::Empty;
    // One ReadFile call takes at most a DWORD's worth of bytes.
    if (uint64_t(size.QuadPart) > maxSize || uint64_t(size.QuadPart) > 0x7FFFFFFFu)
        return EFileRead::TooLarge;
    const DWORD length = DWORD(size.QuadPart);
    try {
        bytes.resize(length);
    } catch (const std::bad_alloc&) {
        return EFileRead::TooLarge;
    }
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data(), length, &read, nullptr) || read != length) {
        bytes.clear();
        return EFileRead::ShortRead;
    }
    return EFileRead::Ok;
}

const wchar_t* MarkupFileError(EFileRead result)
{
    switch (result) {
    case EFileRead::OpenFailed:
        return L"Error opening file";
    case EFileRead::Empty:
        return L"File is empty";
    case EFileRead::TooLarge:
        return L"File too large";
    case EFileRead::ShortRead:
        return L"Could not read file";
    case EFileRead::Ok:
        break;
    }
    return nullptr;
}

// The archive for one read: the kept one, or one opened just for this read
// (closed again when this goes out of scope).
class CArchiveForRead {
public:
    CArchiveForRead()
    {
        TSkinSourceState& state = State();
        if (state.keepZipOpen) {
            m_archive = state.openZip.get();
            return;
        }
        if (state.skinZipName == kMemoryZipName)
            m_owned = state.memoryZip ? ZipArchive::OpenFromMemory(state.memoryZip, state.memoryZipSize) : nullptr;
        else
            m_owned = ZipArchive::OpenFromFile(state.skinFolder + state.skinZipName);
        m_archive = m_owned.get();
    }
    const ZipArchive* Get() const { return m_archive; }

private:
    const ZipArchive* m_archive = nullptr;
    std::unique_ptr<ZipArchive> m_owned;
};

// Deflate expands at most about 1032:1 and a stored entry not at all; a size
// claimed beyond that belongs to a damaged archive and is not allocated.
bool IsPlausibleEntry(const TZipEntry& entry)
{
    if (entry.method == 0)
        return entry.uncompressedSize == entry.compressedSize;
    return uint64_t(entry.uncompressedSize) <= uint64_t(entry.compressedSize) * 1032u + 1024u;
}

bool ExtractWhole(const ZipArchive* archive, const TZipEntry& entry, TByteBlock& bytes)
{
    try {
        bytes.resize(entry.uncompressedSize);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
    const ZipResult result = ZipExtract(archive, entry.index, bytes.data(), entry.uncompressedSize);
    if (result != kZipOk && result != kZipMoreData) {
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace

void CSkinSource::SetAppModule(HINSTANCE module)
{
    State().appModule = module;
}

HINSTANCE CSkinSource::AppModule()
{
    return State().appModule;
}

std::wstring CSkinSource::AppFolder()
{
    if (State().appModule == nullptr)
        return std::wstring();
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(State().appModule, path, MAX_PATH);
    if (length == 0)
        return std::wstring();
    std::wstring folder(path, length < MAX_PATH ? length : MAX_PATH);
    const size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

void CSkinSource::SetSkinFolder(const std::wstring& path)
{
    std::wstring folder = path;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    State().skinFolder = folder;
}

const std::wstring& CSkinSource::SkinFolder()
{
    return State().skinFolder;
}

void CSkinSource::SetSkinZipFile(const std::wstring& name, bool keepOpen)
{
    TSkinSourceState& state = State();
    if (name == state.skinZipName && keepOpen == state.keepZipOpen)
        return;
    if (state.keepZipOpen)
        state.openZip.reset();
    state.skinZipName = name;
    state.keepZipOpen = keepOpen;
    if (keepOpen && !name.empty())
        state.openZip = ZipArchive::OpenFromFile(state.skinFolder + name);
}

void CSkinSource::SetSkinZipBlock(const void* bytes, size_t size)
{
    TSkinSourceState& state = State();
    if (state.skinZipName == kMemoryZipName)
        return;
    if (state.keepZipOpen)
        state.openZip.reset();
    state.skinZipName = kMemoryZipName;
    state.memoryZip = bytes;
    state.memoryZipSize = size;
    if (state.keepZipOpen)
        state.openZip = ZipArchive::OpenFromMemory(bytes, size);
}

const std::wstring& CSkinSource::SkinZipName()
{
    return State().skinZipName;
}

bool CSkinSource::KeepZipOpen()
{
    return State().keepZipOpen;
}

const ZipArchive* CSkinSource::OpenZip()
{
    return State().openZip.get();
}

bool CSkinSource::InstallZipResource(LPCWSTR resourceId)
{
    TSkinSourceState& state = State();
    if (state.zipBlock.empty()) {
        std::optional<TByteBlock> resource = ReadSkinResourceBytes(resourceId, L"ZIPRES");
        if (!resource)
            return false;
        state.zipBlock = std::move(*resource);
    } else {
        // Later windows reuse the first copy, but a missing resource still means no skin.
        HRSRC found = ::FindResourceW(state.appModule, resourceId, L"ZIPRES");
        if (found == nullptr || ::SizeofResource(state.appModule, found) == 0)
            return false;
    }
    // The block's own size, not the resource's: a later, larger resource
    // must not make the archive reader look past the copied block.
    SetSkinZipBlock(state.zipBlock.data(), state.zipBlock.size());
    return true;
}

void CSkinSource::Reset()
{
    TSkinSourceState& state = State();
    state.openZip.reset();
    state.skinFolder.clear();
    state.skinZipName.clear();
    state.keepZipOpen = true;
    state.memoryZip = nullptr;
    state.memoryZipSize = 0;
}

std::optional<TByteBlock> ReadSkinResourceBytes(LPCWSTR name, LPCWSTR type)
{
    const HMODULE module = State().appModule;
    HRSRC found = ::FindResourceW(module, name, type);
    if (found == nullptr)
        return std::nullopt;
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (size == 0 || data == nullptr)
        return std::nullopt;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    return TByteBlock(bytes, bytes + size);
}

bool ReadSkinMarkupBytes(const std::wstring& name, TByteBlock& bytes, const wchar_t*& error)
{
    bytes.clear();
    error = nullptr;
    const TSkinSourceState& state = State();
    if (!state.skinZipName.empty()) {
        CArchiveForRead archive;
        if (archive.Get() == nullptr) {
            error = L"Error opening zip file";
            return false;
        }
        int index = -1;
        TZipEntry entry;
        if (archive.Get()->Find(name, true, index, entry) == kZipOk) {
            if (entry.uncompressedSize == 0) {
                error = L"File is empty";
                return false;
            }
            if (entry.uncompressedSize > kMaxSkinFileSize) {
                error = L"File too large";
                return false;
            }
            if (!ExtractWhole(archive.Get(), entry, bytes)) {
                error = L"Could not unzip file";
                return false;
            }
            return true;
        }
        // Not in the archive: the skin folder on disk may still have it.
    }
    const EFileRead result = ReadWholeFile(state.skinFolder + name, kMaxSkinFileSize, bytes);
    error = MarkupFileError(result);
    return result == EFileRead::Ok;
}

std::optional<TByteBlock> ReadSkinImageBytes(const std::wstring& name, const std::wstring& resourceType)
{
    const TSkinSourceState& state = State();
    TByteBlock bytes;
    if (!resourceType.empty()) {
        std::optional<TByteBlock> resource = ReadSkinResourceBytes(name.c_str(), resourceType.c_str());
        if (resource)
            return resource;
    } else if (state.skinZipName.empty()) {
        if (ReadWholeFile(state.skinFolder + name, UINT64_MAX, bytes) == EFileRead::Ok)
            return bytes;
    } else {
        CArchiveForRead archive;
        int index = -1;
        TZipEntry entry;
        if (ZipFind(archive.Get(), name, true, index, entry) == kZipOk && IsPlausibleEntry(entry) &&
            ExtractWhole(archive.Get(), entry, bytes))
            return bytes;
    }

    // Last resort: the name as a path of its own, then under the skin folder.
    EFileRead result = ReadWholeFile(name, UINT64_MAX, bytes);
    if (result == EFileRead::OpenFailed)
        result = ReadWholeFile(state.skinFolder + name, kMaxSkinFileSize, bytes);
    if (result == EFileRead::Ok)
        return bytes;
    return std::nullopt;
}

} // namespace SkinUI
