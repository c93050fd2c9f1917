#pragma once
// The parsed suite configuration document and its lookup tables.
#include "base/ScopedHandle.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct ApiEntry {
    std::string url;
    int32_t method = 2; // 1 when the entry's "Method" is exactly "get", 2 otherwise
};

struct ModuleConfig {
    std::string name;       // the "name" attribute of "Module"
    std::string configText; // text of its "Config" child (JSON)
};

using ConfigValueTable = std::map<std::string, std::string>;

struct ConfigData {
    std::string urlsText;
    std::string adaptationText;
    std::string apiText;    // JSON object
    std::string configText; // JSON object of global values
    std::vector<std::unique_ptr<ModuleConfig>> modules; // document order
    std::map<std::string, std::unique_ptr<ApiEntry>> apiTable;
    ConfigValueTable valueTable;
    std::map<std::string, ConfigValueTable> moduleValueTables; // built on demand, under `lock`
    std::string version;
    // Whether the document came from a file only administrators can change
    // (or from the executable itself); only then may it say what code runs.
    bool changeableOnlyByAdministrators = false;
    CCriticalSection lock;
};
