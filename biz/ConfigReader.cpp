#include "ConfigReader.h"

#include "BlowFishEnc.h"
#include "ConfigJson.h"
#include "OpenedFile.h"
#include "WriteProtection.h"
#include "XmlAtom.h"
#include "libutils.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

constexpr WORD kConfigResourceId = 129;

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int size = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), static_cast<int>(text.size()), &result[0], size, nullptr,
                          nullptr);
    return result;
}

HMODULE ModuleOfThisCode()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

} // namespace

CConfigReader::~CConfigReader() = default;

std::wstring CConfigReader::DataFilePath()
{
    return GetSuiteDataFolder() + kDataFileName;
}

std::unique_ptr<ConfigData> CConfigReader::Load()
{
    if (ReadConfigIni(L"localconfig", L"") == L"1") {
        LoadResource();
    } else {
        (void)(LoadOverrideFile() || LoadDataFile() || LoadResource());
    }
    return std::move(m_data);
}

bool CConfigReader::LoadOverrideFile()
{
    if (!IsExistingFile(kOverrideFile))
        return false;
    CFileHandle file = OpenPlainFile(kOverrideFile, kOverrideFolder, GENERIC_READ | READ_CONTROL, FILE_SHARE_READ,
                                     OPEN_EXISTING);
    std::vector<char> text;
    if (!file || !ReadOpenedFile(file.Get(), kMaxDataFileBytes, text))
        return false;
    text.push_back('\0');
    return ParseConfig(text.data()) && MarkSource(file.Get());
}

bool CConfigReader::LoadDataFile()
{
    // Opened without sharing so nobody rewrites it under us, and never
    // through a link: the file may be deleted below.
    CFileHandle file = OpenPlainFile(DataFilePath(), GetSuiteDataBase(), GENERIC_READ | DELETE | READ_CONTROL, 0,
                                     OPEN_EXISTING);
    std::vector<char> data;
    if (!file || !ReadOpenedFile(file.Get(), kMaxDataFileBytes, data))
        return false;
    // Partial blocks were not produced by the cipher: unreadable, not invalid.
    if (data.size() < 8 || data.size() % 8 != 0)
        return false;
    if (ParseDataFileBytes(data))
        return MarkSource(file.Get());
    DeleteOpenedFile(file.Get());
    return false;
}

bool CConfigReader::MarkSource(HANDLE file)
{
    m_data->changeableOnlyByAdministrators = IsFileChangeableOnlyByAdministrators(file);
    return true;
}

bool CConfigReader::ParseDataFileBytes(std::vector<char>& bytes)
{
    // Whole blocks only; anything else was not produced by the cipher.
    if (bytes.size() < 8 || bytes.size() % 8 != 0)
        return false;
    BlowFishEnc cipher;
    uint8_t* data = reinterpret_cast<uint8_t*>(bytes.data());
    cipher.Decrypt(data, bytes.size(), data);
    // The text ends at the first zero byte, or at the end of the data.
    bytes.push_back('\0');
    return ParseConfig(bytes.data());
}

bool CConfigReader::LoadResource()
{
    HMODULE module = ModuleOfThisCode();
    HRSRC resource = ::FindResourceExW(module, L"CONFIG", MAKEINTRESOURCEW(kConfigResourceId),
                                       MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (!resource)
        return false;
    DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return false;
    std::vector<char> text(static_cast<const char*>(bytes), static_cast<const char*>(bytes) + size);
    text.push_back('\0');
    if (!ParseConfig(text.data()))
        return false;
    m_data->changeableOnlyByAdministrators = true; // part of the executable itself
    return true;
}

bool CConfigReader::ParseConfig(const char* text)
{
    IConfigXml atom;
    if (!atom.Parse(text))
        return false;
    m_data = atom.TakeData();
    m_data->version = atom.Version();
    ConfigJson::BuildApiTable(*m_data, ToAnsi(ReadConfigIni(L"base_url", L"")));
    ConfigJson::BuildValueTable(*m_data);
    return true;
}
