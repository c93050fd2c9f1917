#include "biz/SafeXml.h"
#include "biz/XmlAtom.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every value delivered to it, and hands "Child" elements to a new
// recorder that shares the same log.
class CRecordingAtom : public IXmlAtom {
public:
    explicit CRecordingAtom(std::vector<std::string>& log, std::string tag = "root")
        : m_log(log), m_tag(std::move(tag))
    {
    }
    void OnValue(const std::string& element, const std::string& attribute, const std::string& value) override
    {
        m_log.push_back(m_tag + ":" + element + "|" + attribute + "|" + value);
        IXmlAtom::OnValue(element, attribute, value);
    }
    std::unique_ptr<IXmlAtom> CreateChild(const std::string& name) override
    {
        if (name == "Child")
            return std::make_unique<CRecordingAtom>(m_log, "child");
        return nullptr;
    }
    void Handle(const std::string& key)
    {
        m_handlers[key] = [this, key](const std::string&, const std::string&, const std::string& value) {
            m_handled.push_back(key + "=" + value);
        };
    }
    std::vector<std::string> m_handled;

private:
    std::vector<std::string>& m_log;
    std::string m_tag;
};

std::string Nested(int depth)
{
    std::string text = "<r version=\"1\">";
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    text += "deep";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text + "</r>";
}

} // namespace

TEST(XmlAtomWalk, DeliversAttributesThenChildrenInDocumentOrder)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    ASSERT_TRUE(atom.Parse(R"(<R version="5" k="v"><A x="1">text<B y="2"/>tail</A><Child c="3">in</Child></R>)"));
    std::vector<std::string> expected = {"root:R|version|5", "root:R|k|v",      "root:A|x|1", "root:A||text",
                                         "root:B|y|2",       "root:A||tail",    "child:Child|c|3",
                                         "child:Child||in"};
    EXPECT_EQ(expected, log);
    EXPECT_EQ("5", atom.Version());
}

TEST(XmlAtomWalk, TextDirectlyUnderTheRootIsNotDelivered)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    ASSERT_TRUE(atom.Parse(R"(<R version="1">loose<A>kept</A></R>)"));
    std::vector<std::string> expected = {"root:R|version|1", "root:A||kept"};
    EXPECT_EQ(expected, log);
}

TEST(XmlAtomWalk, CdataIsTextAndCommentsAreNothing)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    ASSERT_TRUE(atom.Parse(R"(<R version="1"><A><!-- note --><![CDATA[{"a":"<b>"}]]></A></R>)"));
    std::vector<std::string> expected = {"root:R|version|1", "root:A||{\"a\":\"<b>\"}"};
    EXPECT_EQ(expected, log);
}

TEST(XmlAtomWalk, HandlerKeyIsTheAttributeNameElseTheElementName)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    atom.Handle("name");
    atom.Handle("Urls");
    ASSERT_TRUE(atom.Parse(R"(<R version="1"><M name="n1"/><Urls>u</Urls><Urls other="x"/></R>)"));
    std::vector<std::string> expected = {"name=n1", "Urls=u"};
    EXPECT_EQ(expected, atom.m_handled);
}

TEST(XmlAtomParse, RootWithoutVersionFails)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    EXPECT_FALSE(atom.Parse(R"(<R><A>x</A></R>)"));
    EXPECT_TRUE(log.empty());
}

TEST(XmlAtomParse, EmptyOrBrokenTextFails)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    EXPECT_FALSE(atom.Parse(""));
    EXPECT_FALSE(atom.Parse(nullptr));
    EXPECT_FALSE(atom.Parse("<R version=\"1\"><A></R>"));
    EXPECT_FALSE(atom.Parse("just text"));
    EXPECT_FALSE(atom.Parse("<!-- only a comment -->"));
}

TEST(XmlAtomParse, DeepNestingIsWalkedWithoutLimit)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    ASSERT_TRUE(atom.Parse(Nested(15000).c_str()));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("root:a||deep", log.back());
}

TEST(XmlAtomParse, TextsWithMoreTagsThanTheStackCoversAreRefused)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    EXPECT_FALSE(atom.Parse(Nested(static_cast<int>(SafeXml::kMaxElementTags) + 10).c_str()));
    EXPECT_EQ(SafeXml::kMaxElementTags, SafeXml::CountElementTags(Nested(int(SafeXml::kMaxElementTags) - 1).c_str()));
}

TEST(XmlAtomParse, ExceptionsFromHandlersReachTheCaller)
{
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    atom.Handle("x");
    struct CThrowing : IXmlAtom {
        CThrowing()
        {
            m_handlers["x"] = [](const std::string&, const std::string&, const std::string&) {
                throw std::runtime_error("boom");
            };
        }
    } throwing;
    EXPECT_THROW(throwing.Parse(R"(<R version="1"><x>1</x></R>)"), std::runtime_error);
}

TEST(XmlAtomLoadFile, WalksFromTheFirstElementWithoutVersion)
{
    TestEnv::CScratchFolder folder(L"xmlatom");
    TestEnv::WriteFileBytes(folder.File(L"doc.xml"), "<?xml version=\"1.0\"?><!-- c --><R a=\"1\"><B>t</B></R>");
    std::vector<std::string> log;
    CRecordingAtom atom(log);
    ASSERT_TRUE(atom.LoadFile(folder.File(L"doc.xml")));
    std::vector<std::string> expected = {"root:R|a|1", "root:B||t"};
    EXPECT_EQ(expected, log);
    EXPECT_EQ("", atom.Version());
    EXPECT_FALSE(atom.LoadFile(folder.File(L"missing.xml")));
}

TEST(ConfigXmlAtoms, GlobleAndModulesFillTheConfigData)
{
    IConfigXml atom;
    ASSERT_TRUE(atom.Parse(R"(<Root version="3"><Globle><Urls>u</Urls><Adaptation>ad</Adaptation>)"
                           R"(<API>{}</API><Config>{"a":"b"}</Config><Other>o</Other></Globle>)"
                           R"(<Module name="m1"><Config>{"k":"1"}</Config><Extra>e</Extra></Module>)"
                           R"(<Module><Config>{}</Config></Module><Unrelated><Config>zz</Config></Unrelated></Root>)"));
    ConfigData& data = atom.Data();
    EXPECT_EQ("u", data.urlsText);
    EXPECT_EQ("ad", data.adaptationText);
    EXPECT_EQ("{}", data.apiText);
    EXPECT_EQ("{\"a\":\"b\"}", data.configText);
    ASSERT_EQ(2u, data.modules.size());
    EXPECT_EQ("m1", data.modules[0]->name);
    EXPECT_EQ("{\"k\":\"1\"}", data.modules[0]->configText);
    EXPECT_EQ("", data.modules[1]->name);
    EXPECT_EQ("3", atom.Version());
}

TEST(ConfigXmlAtoms, ElementNamesAreCaseSensitive)
{
    IConfigXml atom;
    ASSERT_TRUE(atom.Parse(R"(<Root version="1"><globle><Urls>u</Urls></globle><module name="x"/></Root>)"));
    EXPECT_EQ("", atom.Data().urlsText);
    EXPECT_TRUE(atom.Data().modules.empty());
}

TEST(ConfigXmlAtoms, ModuleNameComesOnlyFromTheModuleElement)
{
    IConfigXml atom;
    ASSERT_TRUE(atom.Parse(R"(<Root version="1"><Module name="real"><Config name="fake">{"a":"1"}</Config>)"
                           R"(</Module></Root>)"));
    ASSERT_EQ(1u, atom.Data().modules.size());
    EXPECT_EQ("real", atom.Data().modules[0]->name);
    EXPECT_EQ("{\"a\":\"1\"}", atom.Data().modules[0]->configText);
}

TEST(ConfigXmlAtoms, TakenDataOutlivesTheAtom)
{
    std::unique_ptr<ConfigData> data;
    {
        IConfigXml atom;
        ASSERT_TRUE(atom.Parse(R"(<Root version="1"><Globle><Urls>kept</Urls></Globle></Root>)"));
        data = atom.TakeData();
    }
    EXPECT_EQ("kept", data->urlsText);
}
