#pragma once
// Appends finished log lines to one file, opened on the first line.
#include "base/ScopedHandle.h"

#include <string>

enum class ELogKind : int { Http = 1, Sip = 2, Normal = 3 };

class CLogFileWriter {
public:
    static constexpr LONGLONG kMaxKeptBytes = 512000;

    explicit CLogFileWriter(ELogKind kind) : m_kind(kind) {}

    // The file actually written for a log path: "<name>.<kind>.txt".
    std::wstring FileFor(const std::wstring& logPath) const;

    // Writes "timestamp  tail" (tail already ends in CRLF) when `level` passes.
    void Write(int level, const std::wstring& logPath, const std::string& tail);

    // The writer of this program, created on first use.
    static CLogFileWriter& Instance();

private:
    void Open(const std::wstring& logPath);

    ELogKind m_kind;
    CFileHandle m_file;
    bool m_openAttempted = false;
    CCriticalSection m_lock;
};
