#include "ConfigManager.h"

#include "libutils.h"

namespace {
const std::string kEmptyText;
}

CConfigManager::~CConfigManager() = default;

void CConfigManager::Load() {}

const std::string& CConfigManager::GetModuleValue(const std::string&, const std::string&) { return kEmptyText; }
const std::string& CConfigManager::GetModuleConfig(const std::string&) { return kEmptyText; }
const ApiEntry* CConfigManager::GetApi(const std::string&) { return nullptr; }
const std::string& CConfigManager::GetValue(const std::string&) { return kEmptyText; }
const std::string& CConfigManager::GetVersion() { return kEmptyText; }
std::wstring CConfigManager::GetLocalConfig(const std::wstring& key) { return ReadConfigIni(key, L""); }

CConfigManager* GetConfigManager()
{
    static CConfigManager* manager = [] {
        auto* created = new CConfigManager();
        created->Load();
        return created;
    }();
    return manager;
}
