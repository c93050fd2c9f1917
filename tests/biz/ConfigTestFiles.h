#pragma once
// Scoped stand-ins for the files the configuration manager and the language
// loader read: c:\config.xml, the data folder's cfg.dll, config.ini beside
// the test program, and the registry's language value. Each puts back the
// earlier state when it goes out of scope.
#include "biz/Logger.h"

#include <windows.h>

#include <string>

namespace ConfigTest {

// A file with the given bytes for the scope; removed afterwards.
class CScopedFile {
public:
    CScopedFile(const std::wstring& path, const std::string& bytes);
    ~CScopedFile();
    CScopedFile(const CScopedFile&) = delete;
    CScopedFile& operator=(const CScopedFile&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// "c:\config.xml" holding `xml`.
class COverrideFile : public CScopedFile {
public:
    explicit COverrideFile(const std::string& xml);
};

// The data folder's "cfg.dll": `xml` enciphered with the suite key (or raw
// bytes when `encipher` is false).
class CDataFile : public CScopedFile {
public:
    explicit CDataFile(const std::string& xml, bool encipher = true);
};

// config.ini beside the test program. The system caches profile files, so
// the destructor leaves an empty profile in that cache before deleting it.
class CConfigIni {
public:
    explicit CConfigIni(const std::string& content);
    ~CConfigIni();
    CConfigIni(const CConfigIni&) = delete;
    CConfigIni& operator=(const CConfigIni&) = delete;
};

// HKCU "Software\Orvane\Tamsel" value "language" for the scope (absent when
// `present` is false); the earlier value is put back afterwards.
class CRegistryLanguage {
public:
    CRegistryLanguage(const std::wstring& value, bool present = true);
    ~CRegistryLanguage();
    CRegistryLanguage(const CRegistryLanguage&) = delete;
    CRegistryLanguage& operator=(const CRegistryLanguage&) = delete;

private:
    bool m_hadValue = false;
    std::wstring m_previous;
};

// Log level 3 for the scope: other tests may leave a lower level behind.
class CInformationLevel {
public:
    CInformationLevel() : m_saved(LogLevel) { LogLevel = kLogInfo; }
    ~CInformationLevel() { LogLevel = m_saved; }
    CInformationLevel(const CInformationLevel&) = delete;
    CInformationLevel& operator=(const CInformationLevel&) = delete;

private:
    int m_saved;
};

// The suite key enciphering `bytes`, zero-padded to whole blocks.
std::string Encipher(const std::string& bytes);

// A complete document with the given version attribute text (omitted when null).
std::string Document(const char* version, const std::string& inner);

} // namespace ConfigTest
