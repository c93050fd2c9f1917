#pragma once
// A module file opened once for its signature check and its loading. It is
// held without write or delete sharing from the one read until the loader
// has mapped it, so the bytes that were checked are the bytes that run.
#include <windows.h>

#include <string>
#include <vector>

#include "base/ScopedHandle.h"

class CModuleFile {
public:
    enum class EState {
        Opened,
        Missing,    // no file at the path
        Unreadable, // locked, too large, or a read failed
    };

    // Opens and reads the file at once.
    explicit CModuleFile(const std::wstring& path);

    const std::wstring& Path() const { return m_path; }
    EState State() const { return m_state; }
    HANDLE Handle() const { return m_file.Get(); }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

    // Loads the held file; its imports come from its own folder and System32
    // only. Null when the file was not opened or does not load.
    HMODULE Load() const;

private:
    std::wstring m_path;
    EState m_state = EState::Missing;
    CFileHandle m_file;
    std::vector<BYTE> m_bytes;
};
