#include "biz/ModuleFile.h"

#include "biz/OpenedFile.h"
#include "biz/libutils.h"

namespace {

constexpr unsigned long long kMaxModuleBytes = 64ull << 20;

} // namespace

CModuleFile::CModuleFile(const std::wstring& path) : m_path(path)
{
    if (path.empty() || !IsExistingFile(path))
        return;
    m_state = EState::Unreadable;
    m_file.Reset(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (m_file && ReadOpenedFile(m_file.Get(), kMaxModuleBytes, m_bytes))
        m_state = EState::Opened;
    else
        m_file.Reset();
}

HMODULE CModuleFile::Load() const
{
    if (m_state != EState::Opened)
        return nullptr;
    HMODULE module =
        ::LoadLibraryExW(m_path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems without the search flags refuse them; the full path still
    // makes the loader look in the module's own folder first.
    if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER)
        module = ::LoadLibraryExW(m_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module;
}
