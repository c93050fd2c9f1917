#include "ConfigJson.h"

#include <memory>

namespace ConfigJson {

namespace {

const Json::CharReaderBuilder& ReaderBuilder()
{
    static const Json::CharReaderBuilder builder = [] {
        Json::CharReaderBuilder b;
        b["collectComments"] = false;
        b["stackLimit"] = kMaxNesting;
        return b;
    }();
    return builder;
}

// Inserts the entry for one API member; members of the wrong shape make none.
void AddApiEntry(ConfigData& data, const std::string& name, const Json::Value& member, const std::string& baseUrl)
{
    if (!member.isObject())
        return;
    const Json::Value& url = member["Url"];
    const Json::Value& method = member["Method"];
    if (!url.isString() || !method.isString())
        return;
    const Json::Value& full = member["Full"];
    auto entry = std::make_unique<ApiEntry>();
    entry->url = full.isBool() && full.asBool() ? url.asString() : baseUrl + url.asString();
    entry->method = method.asString() == "get" ? 1 : 2;
    data.apiTable.emplace(name, std::move(entry));
}

} // namespace

bool ParseJson(const std::string& text, Json::Value& value)
{
    std::unique_ptr<Json::CharReader> reader(ReaderBuilder().newCharReader());
    try {
        return reader->parse(text.data(), text.data() + text.size(), &value, nullptr);
    } catch (const std::exception&) {
        // Nesting beyond the limit.
        value = Json::Value();
        return false;
    }
}

void BuildApiTable(ConfigData& data, const std::string& baseUrlSetting)
{
    Json::Value parsed;
    if (!ParseJson(data.apiText, parsed))
        return;
    const Json::Value& api = parsed; // const access never adds members
    std::string baseUrl;
    const Json::Value& base = api["BaseUrl"];
    if (base.isObject() && base["Url"].isString())
        baseUrl = base["Url"].asString();
    if (!baseUrlSetting.empty())
        baseUrl = baseUrlSetting;
    for (const std::string& name : api.getMemberNames()) {
        if (name != "BaseUrl")
            AddApiEntry(data, name, api[name], baseUrl);
    }
}

void BuildValueTable(ConfigData& data)
{
    Json::Value parsed;
    if (!ParseJson(data.configText, parsed))
        return;
    const Json::Value& config = parsed;
    for (const std::string& name : config.getMemberNames()) {
        const Json::Value& member = config[name];
        if (member.isString())
            data.valueTable.emplace(name, member.asString());
    }
}

bool AddStringMembers(const std::string& text, ConfigValueTable& table)
{
    Json::Value parsed;
    if (!ParseJson(text, parsed) || !parsed.isObject())
        return false;
    const Json::Value& config = parsed;
    for (const std::string& name : config.getMemberNames()) {
        const Json::Value& member = config[name];
        if (member.isString())
            table.emplace(name, member.asString());
    }
    return true;
}

} // namespace ConfigJson
