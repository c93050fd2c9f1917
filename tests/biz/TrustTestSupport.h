#pragma once
// What the signature and statistics tests share: the signed copies of the
// stand-in "mirtel.dll" this build made, and scoped overrides of the settings
// the verifier and the adapter read (config.ini, c:\config.xml, registry).
#include <windows.h>

#include <string>
#include <vector>

#include <json/json.h>

namespace TrustTest {

// <build>\tools\mirtel\<variant>\mirtel.dll: "unsigned", "signed" (the build's
// own certificate), "signed-orvane", "signed-microsoft", "signed-contoso"
// (self-signed), "signed-orvane-issued", "signed-microsoft-issued" (the same
// names, issued by the test root every test program trusts),
// "signed-notrack" (no "trackEvent2"), "signed-noinit" (no "initialize2"),
// "unsigned-marker" and "signed-marker" (note each load in the file named by
// ORVANE_LOAD_MARKER).
std::wstring MirtelBuild(const std::wstring& variant);

// The 40 lower-case hex digits of a build certificate: "tamsel", "orvane", "microsoft", "contoso".
std::wstring CertificateThumbprint(const std::string& name);

// Copies the file, failing the test when it cannot.
void CopyOrFail(const std::wstring& from, const std::wstring& to);

// Replaces config.ini beside the test executable for the scope, then puts the
// earlier file back; the verifier forgets its configuration both times.
class CConfigIni {
public:
    explicit CConfigIni(const std::string& content);
    ~CConfigIni();

private:
    std::wstring m_path;
    bool m_existed;
    std::string m_previous;
};

// A config.ini that trusts the build's certificate.
std::string TrustingConfigIni();

// Puts a configuration document at c:\config.xml and reloads the suite
// configuration; removes it and reloads again afterwards.
class CConfigDocument {
public:
    explicit CConfigDocument(const std::string& globalConfigJson);
    ~CConfigDocument();

private:
    bool m_existed;
    std::string m_previous;
};

// Sets (or removes) a registry value of HKCU for the scope, restoring the earlier state.
class CUserRegistryValue {
public:
    CUserRegistryValue(const std::wstring& keyPath, const std::wstring& name);
    ~CUserRegistryValue();
    void SetDword(DWORD value);
    void SetRaw(DWORD type, const BYTE* data, DWORD size);
    void SetString(const std::wstring& value);
    void Remove();

private:
    std::wstring m_keyPath;
    std::wstring m_name;
    bool m_existed = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_previous;
};

// The stand-in library's journal: one JSON object per call.
std::wstring JournalIn(const std::wstring& folder);
std::wstring SuiteJournal(); // <suite data folder>\mirtel\events.jsonl
std::vector<Json::Value> ReadJournal(const std::wstring& path);

std::string ToUtf8(const std::wstring& text);

} // namespace TrustTest
