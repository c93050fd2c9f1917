#include "ConfigManager.h"

#include "ConfigJson.h"
#include "ConfigReader.h"
#include "Logger.h"
#include "libutils.h"

namespace {

const std::string kEmptyText;

} // namespace

CConfigManager::~CConfigManager() = default;

void CConfigManager::Load()
{
    try {
        CConfigReader reader;
        m_data = reader.Load();
    } catch (...) {
        m_data.reset();
        LOG_INFO(L"biz\\ConfigManager", L"exception!!");
    }
}

const std::string& CConfigManager::GetModuleValue(const std::string& module, const std::string& key)
{
    if (!m_data)
        return kEmptyText;
    CLockGuard guard(m_data->lock);
    auto table = m_data->moduleValueTables.find(module);
    if (table == m_data->moduleValueTables.end()) {
        ConfigValueTable values;
        try {
            for (const auto& config : m_data->modules) {
                if (config->name == module)
                    ConfigJson::AddStringMembers(config->configText, values);
            }
        } catch (...) {
            // Out of memory while building: answer from what was built.
        }
        table = m_data->moduleValueTables.emplace(module, std::move(values)).first;
    }
    auto value = table->second.find(key);
    return value == table->second.end() ? kEmptyText : value->second;
}

const std::string& CConfigManager::GetModuleConfig(const std::string& module)
{
    if (!m_data)
        return kEmptyText;
    for (const auto& config : m_data->modules) {
        if (config->name == module)
            return config->configText;
    }
    return kEmptyText;
}

const ApiEntry* CConfigManager::GetApi(const std::string& name)
{
    if (!m_data)
        return nullptr;
    auto entry = m_data->apiTable.find(name);
    return entry == m_data->apiTable.end() ? nullptr : entry->second.get();
}

const std::string& CConfigManager::GetValue(const std::string& key)
{
    if (!m_data)
        return kEmptyText;
    auto value = m_data->valueTable.find(key);
    return value == m_data->valueTable.end() ? kEmptyText : value->second;
}

const std::string& CConfigManager::GetAdministratorValue(const std::string& key)
{
    return m_data && m_data->changeableOnlyByAdministrators ? GetValue(key) : kEmptyText;
}

const std::string& CConfigManager::GetVersion()
{
    return m_data ? m_data->version : kEmptyText;
}

std::wstring CConfigManager::GetLocalConfig(const std::wstring& key)
{
    return ReadConfigIni(key, L"");
}

CConfigManager* GetConfigManager()
{
    // A function-local static: its construction is serialised, so concurrent
    // first calls create and load one instance.
    static CConfigManager* const manager = [] {
        auto* created = new CConfigManager();
        created->Load();
        return created;
    }();
    return manager;
}
