#pragma once
// Where skin files come from: the process-wide skin-source settings (the
// application module, the skin folder, the skin archive) and the readers
// that fetch a skin file's bytes by its relative name.
#include "ui/core/res/ZipArchive.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace SkinUI {

using TByteBlock = std::vector<uint8_t>;

// Markup files, zip entries read for markup and last-resort image files hold at most this.
constexpr uint32_t kMaxSkinFileSize = 4u * 1024u * 1024u;

// The archive name that stands for an archive held in memory.
inline constexpr wchar_t kMemoryZipName[] = L"membuffer";

// Kinds of skin source a window declares.
enum class ESkinSourceKind : int { File = 1, ZipFile = 2, Resource = 3, ZipResource = 4 };

// Process-wide skin-source settings. Written on the UI thread during start-up
// and window creation only, so nothing here is locked. The window context
// exposes these through its own static setters.
class CSkinSource {
public:
    // The module all skin resources are read from. (The window context also
    // registers the shadow window class when it is given the module.)
    static void SetAppModule(HINSTANCE module);
    static HINSTANCE AppModule();
    // The application module's folder with its trailing '\'; empty without a module.
    static std::wstring AppFolder();

    // A non-empty folder is stored with a trailing separator ('\' appended
    // unless it already ends in '\' or '/').
    static void SetSkinFolder(const std::wstring& path);
    static const std::wstring& SkinFolder();

    // Uses the archive `name` inside the skin folder; with `keepOpen` it is
    // opened at once and kept. Nothing happens when both are unchanged.
    static void SetSkinZipFile(const std::wstring& name, bool keepOpen);
    // Uses an archive in memory (the block must outlive its use). Ignored once
    // an in-memory archive is in use, so the first block stays.
    static void SetSkinZipBlock(const void* bytes, size_t size);

    static const std::wstring& SkinZipName();
    static bool KeepZipOpen();
    static const ZipArchive* OpenZip();

    // Zip-resource source: copies resource `resourceId` of type "ZIPRES" from
    // the app module into the process-wide block (once per process) and makes
    // it the skin archive. False when the resource is missing or empty.
    static bool InstallZipResource(LPCWSTR resourceId);

    // Back to the start-up state (no folder, no archive, archives kept). The
    // copied zip resource block stays allocated for the process.
    static void Reset();
};

// Bytes of module resource `name` of `type` in the app module; none when missing or empty.
std::optional<TByteBlock> ReadSkinResourceBytes(LPCWSTR name, LPCWSTR type);

// Bytes of a skin image: a module resource when `resourceType` is not empty,
// else a file from the skin folder or the skin archive, else `name` as a path
// on disk. None when the image is not available.
std::optional<TByteBlock> ReadSkinImageBytes(const std::wstring& name, const std::wstring& resourceType = std::wstring());

// Bytes of a skin markup file by relative name, for CSkinMarkup::LoadFile.
// On failure `error` receives the markup's message ("Error opening file", ...).
bool ReadSkinMarkupBytes(const std::wstring& name, TByteBlock& bytes, const wchar_t*& error);

} // namespace SkinUI
