// Bad input for the configuration manager: thousands of seeded mutations of
// the document, its JSON texts and the enciphered data file. Nothing may
// crash or hang, and every failure ends on the stated fallback.
#include "biz/ConfigJson.h"
#include "biz/ConfigManager.h"
#include "biz/ConfigReader.h"
#include "tests/biz/ConfigTestFiles.h"
#include "tests/biz/Mutator.h"

#include <gtest/gtest.h>

#include <json/json.h>

#include <string>
#include <vector>

namespace {

const char kApiJson[] = R"({"BaseUrl":{"Url":"https://api.example/"},"Login":{"Url":"/login","Method":"get"},)"
                        R"("Whole":{"Url":"https://w.example/","Method":"post","Full":true}})";
const char kConfigJson[] = R"({"CheckDigitalCertify":"1","ThrumbPrintsList":"aa;bb","n":5})";
const char kModuleJson[] = R"({"a":"1","b":["x"],"c":{"d":"e"}})";

std::string Document()
{
    return ConfigTest::Document("2.0", std::string("<Globle><Urls>u</Urls><Adaptation>a</Adaptation><API>") +
                                           kApiJson + "</API><Config>" + kConfigJson +
                                           "</Config></Globle><Module name=\"m\"><Config>" + kModuleJson +
                                           "</Config></Module><!-- c --><Other x=\"1\"><![CDATA[z]]></Other>");
}

// True when `text` parses as JSON whose root is not an object: the one kind
// of text for which building a table may throw.
bool IsJsonButNotObject(const std::string& text)
{
    Json::Value value;
    return ConfigJson::ParseJson(text, value) && !value.isObject() && !value.isNull();
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(ConfigMutations, DocumentTextParsesOrFailsCleanly)
{
    CMutator mutator(20261208);
    const std::string original = Document();
    int parsed = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string text = mutator.Mutate(original);
        CConfigReader reader;
        bool ok = false;
        try {
            ok = reader.ParseConfig(text.c_str());
        } catch (const Json::LogicError&) {
            ok = true; // a JSON text of the wrong kind; the manager logs and drops it
        }
        std::unique_ptr<ConfigData> data = reader.TakeData();
        if (!ok) {
            ASSERT_EQ(nullptr, data) << "case " << i;
            continue;
        }
        ++parsed;
        if (data) {
            for (const auto& entry : data->apiTable)
                ASSERT_TRUE(entry.second->method == 1 || entry.second->method == 2) << "case " << i;
        }
    }
    EXPECT_GT(parsed, 0);
}

TEST(ConfigMutations, JsonTextsBuildTablesOrThrowOnlyForNonObjects)
{
    CMutator mutator(777);
    for (int i = 0; i < 4000; ++i) {
        ConfigData data;
        data.apiText = mutator.Mutate(kApiJson);
        data.configText = mutator.Mutate(kConfigJson);
        try {
            ConfigJson::BuildApiTable(data, i % 2 ? "" : "http://base");
        } catch (const Json::LogicError&) {
            ASSERT_TRUE(IsJsonButNotObject(data.apiText)) << "case " << i << ": " << data.apiText;
        }
        try {
            ConfigJson::BuildValueTable(data);
        } catch (const Json::LogicError&) {
            ASSERT_TRUE(IsJsonButNotObject(data.configText)) << "case " << i << ": " << data.configText;
        }
        ConfigValueTable table;
        std::string moduleText = mutator.Mutate(kModuleJson);
        ASSERT_NO_THROW(ConfigJson::AddStringMembers(moduleText, table)) << "case " << i;
    }
}

TEST(ConfigMutations, DataFileBytesDecipherAndParseOrFailCleanly)
{
    CMutator mutator(4242);
    const std::string plain = Document();
    const std::string sealed = ConfigTest::Encipher(plain);
    int used = 0, refused = 0;
    for (int i = 0; i < 3000; ++i) {
        // Half the cases damage the enciphered bytes, half the text before enciphering.
        std::string bytes = i % 2 ? mutator.Mutate(sealed) : ConfigTest::Encipher(mutator.Mutate(plain));
        std::vector<char> data(bytes.begin(), bytes.end());
        CConfigReader reader;
        bool ok = false;
        try {
            ok = reader.ParseDataFileBytes(data);
        } catch (const Json::LogicError&) {
            ok = true;
        }
        if (ok) {
            ++used;
            ASSERT_TRUE(bytes.size() >= 8 && bytes.size() % 8 == 0) << "case " << i;
        } else {
            ++refused;
            ASSERT_EQ(nullptr, reader.TakeData()) << "case " << i;
        }
    }
    EXPECT_GT(used, 0);
    EXPECT_GT(refused, 0);
}

TEST(ConfigMutations, DataFileIsUsedDeletedOrKeptAsStated)
{
    ::DeleteFileW(CConfigReader::kOverrideFile);
    CMutator mutator(4343);
    const std::string plain = Document();
    const std::string sealed = ConfigTest::Encipher(plain);
    int used = 0, deleted = 0, kept = 0;
    for (int i = 0; i < 400; ++i) {
        std::string bytes = i % 2 ? mutator.Mutate(sealed) : ConfigTest::Encipher(mutator.Mutate(plain));
        ConfigTest::CDataFile file(bytes, false);
        CConfigReader reader;
        bool ok = false;
        try {
            ok = reader.LoadDataFile();
        } catch (const Json::LogicError&) {
            ok = true;
        }
        const bool wholeBlocks = bytes.size() >= 8 && bytes.size() % 8 == 0;
        if (ok) {
            ++used;
            ASSERT_TRUE(wholeBlocks) << "case " << i;
            ASSERT_TRUE(Exists(file.Path())) << "case " << i;
        } else if (wholeBlocks) {
            ++deleted;
            ASSERT_FALSE(Exists(file.Path())) << "case " << i;
        } else {
            ++kept;
            ASSERT_TRUE(Exists(file.Path())) << "case " << i;
        }
    }
    EXPECT_GT(used, 0);
    EXPECT_GT(deleted, 0);
    EXPECT_GT(kept, 0);
}

TEST(ConfigMutations, ManagerNeverLetsAnExceptionOut)
{
    ::DeleteFileW(CConfigReader::kOverrideFile);
    CMutator mutator(99);
    const std::string plain = Document();
    for (int i = 0; i < 300; ++i) {
        ConfigTest::CDataFile file(ConfigTest::Encipher(mutator.Mutate(plain)), false);
        CConfigManager manager;
        ASSERT_NO_THROW(manager.Load()) << "case " << i;
        ASSERT_NO_THROW(manager.GetModuleValue("m", "a")) << "case " << i;
        if (!manager.IsLoaded()) {
            ASSERT_EQ("", manager.GetVersion());
            ASSERT_EQ("", manager.GetValue("CheckDigitalCertify"));
            ASSERT_EQ(nullptr, manager.GetApi("Login"));
        }
    }
}
