#pragma once
// Chooses the source of the configuration document and parses it.
#include "ConfigData.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CConfigReader {
public:
    // The fixed path of the override file.
    static constexpr const wchar_t* kOverrideFile = L"c:\\config.xml";
    static constexpr const wchar_t* kOverrideFolder = L"c:\\";
    // The enciphered document's name in the suite data folder.
    static constexpr const wchar_t* kDataFileName = L"cfg.dll";
    // Larger data files are not configuration documents.
    static constexpr unsigned long long kMaxDataFileBytes = 16ull * 1024 * 1024;

    CConfigReader() = default;
    virtual ~CConfigReader();
    CConfigReader(const CConfigReader&) = delete;
    CConfigReader& operator=(const CConfigReader&) = delete;

    // Tries the sources in order and returns the first configuration that
    // parses, or null. May throw while building tables (JSON of the wrong kind).
    std::unique_ptr<ConfigData> Load();

    bool LoadOverrideFile();
    bool LoadDataFile();
    bool LoadResource();
    bool ParseConfig(const char* text);
    // Deciphers the bytes of a data file in place and parses the text; false
    // for anything but a whole number of 8-byte blocks.
    bool ParseDataFileBytes(std::vector<char>& bytes);

    std::unique_ptr<ConfigData> TakeData() { return std::move(m_data); }

    static std::wstring DataFilePath();

private:
    // Notes whether the document's file can be changed only by administrators.
    bool MarkSource(HANDLE file);

    std::unique_ptr<ConfigData> m_data;
};
