#pragma once
// The suite configuration: loaded once from the first source that yields a
// valid document, then answered by key. Every lookup answers an empty text
// (or null) when nothing was loaded. Returned references stay valid for the
// life of the manager, which is the life of the process.
#include "ConfigData.h"

#include <memory>
#include <string>

class IConfigManager {
public:
    virtual void Load() = 0;
    virtual const std::string& GetModuleValue(const std::string& module, const std::string& key) = 0;
    virtual const std::string& GetModuleConfig(const std::string& module) = 0;
    virtual const ApiEntry* GetApi(const std::string& name) = 0;
    virtual const std::string& GetValue(const std::string& key) = 0;
    virtual const std::string& GetVersion() = 0;
    virtual std::wstring GetLocalConfig(const std::wstring& key) = 0;

protected:
    ~IConfigManager() = default;
};

class CConfigManager : public IConfigManager {
public:
    CConfigManager() = default;
    ~CConfigManager();
    CConfigManager(const CConfigManager&) = delete;
    CConfigManager& operator=(const CConfigManager&) = delete;

    // Reads the configuration; catches everything ("exception!!") and then
    // stays without configuration.
    void Load() override;
    const std::string& GetModuleValue(const std::string& module, const std::string& key) override;
    const std::string& GetModuleConfig(const std::string& module) override;
    const ApiEntry* GetApi(const std::string& name) override;
    const std::string& GetValue(const std::string& key) override;
    const std::string& GetVersion() override;
    std::wstring GetLocalConfig(const std::wstring& key) override;

    // A global value that may decide what code the tool runs: empty unless
    // the document came from a source only administrators can change.
    const std::string& GetAdministratorValue(const std::string& key);

    bool IsLoaded() const { return m_data != nullptr; }
    // The loaded configuration, or null; for inspection.
    const ConfigData* Data() const { return m_data.get(); }

private:
    std::unique_ptr<ConfigData> m_data;
};

// The process-wide manager, created and loaded on the first call.
CConfigManager* GetConfigManager();
