#include "XmlAtom.h"

#include "SafeXml.h"
#include "base/ScopedHandle.h"

#include <windows.h>

#include <tinyxml.h>

#include <string>

namespace {

// Reads a whole file into zero-terminated text; false when it cannot be read.
bool ReadTextFile(const std::wstring& path, std::string& text)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > MAXDWORD)
        return false;
    text.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() && !::ReadFile(file.Get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr))
        return false;
    text.resize(read);
    return true;
}

} // namespace

IXmlAtom::~IXmlAtom() = default;

void IXmlAtom::OnValue(const std::string& element, const std::string& attribute, const std::string& value)
{
    auto handler = m_handlers.find(attribute.empty() ? element : attribute);
    if (handler != m_handlers.end())
        handler->second(element, attribute, value);
}

std::unique_ptr<IXmlAtom> IXmlAtom::CreateChild(const std::string&)
{
    return nullptr;
}

// Delivers the element's attributes, then its children: texts (CDATA
// included) to this atom, child elements to the atom CreateChild picks.
// Runs on SafeXml's large stack, so recursion per level is fine.
static void WalkElement(IXmlAtom& atom, const TiXmlElement& element)
{
    const std::string& name = element.ValueStr();
    for (const TiXmlAttribute* a = element.FirstAttribute(); a; a = a->Next())
        atom.OnValue(name, a->NameTStr(), a->ValueStr());
    for (const TiXmlNode* child = element.FirstChild(); child; child = child->NextSibling()) {
        if (const TiXmlText* text = child->ToText()) {
            atom.OnValue(name, std::string(), text->ValueStr());
        } else if (const TiXmlElement* childElement = child->ToElement()) {
            std::unique_ptr<IXmlAtom> childAtom = atom.CreateChild(childElement->ValueStr());
            WalkElement(childAtom ? *childAtom : atom, *childElement);
        }
    }
}

void IXmlAtom::WalkChildren(const TiXmlElement& root)
{
    for (const TiXmlElement* child = root.FirstChildElement(); child; child = child->NextSiblingElement()) {
        std::unique_ptr<IXmlAtom> childAtom = CreateChild(child->ValueStr());
        WalkElement(childAtom ? *childAtom : *this, *child);
    }
}

bool IXmlAtom::Parse(const char* text)
{
    bool walked = false;
    SafeXml::VisitDocument(text, [&](const TiXmlDocument& document) {
        const TiXmlElement* root = document.RootElement();
        if (!root)
            return;
        const std::string* version = root->Attribute(std::string("version"));
        if (!version)
            return;
        m_version = *version;
        const std::string& rootName = root->ValueStr();
        for (const TiXmlAttribute* a = root->FirstAttribute(); a; a = a->Next())
            OnValue(rootName, a->NameTStr(), a->ValueStr());
        WalkChildren(*root);
        walked = true;
    });
    return walked;
}

bool IXmlAtom::LoadFile(const std::wstring& path)
{
    std::string text;
    if (!ReadTextFile(path, text))
        return false;
    bool walked = false;
    SafeXml::VisitDocument(text.c_str(), [&](const TiXmlDocument& document) {
        const TiXmlElement* first = document.FirstChildElement();
        if (!first)
            return;
        WalkElement(*this, *first);
        walked = true;
    });
    return walked;
}

IConfigXml::IConfigXml() : m_data(std::make_unique<ConfigData>()) {}

IConfigXml::~IConfigXml() = default;

std::unique_ptr<IXmlAtom> IConfigXml::CreateChild(const std::string& name)
{
    if (!m_data)
        return nullptr;
    if (name == "Globle")
        return std::make_unique<IGlobleXml>(*m_data);
    if (name == "Module") {
        m_data->modules.push_back(std::make_unique<ModuleConfig>());
        return std::make_unique<IModuleXml>(*m_data->modules.back());
    }
    return nullptr;
}

IGlobleXml::IGlobleXml(ConfigData& data) : m_data(data)
{
    auto store = [](std::string& target) {
        return [&target](const std::string&, const std::string&, const std::string& value) { target = value; };
    };
    m_handlers["Urls"] = store(m_data.urlsText);
    m_handlers["Adaptation"] = store(m_data.adaptationText);
    m_handlers["API"] = store(m_data.apiText);
    m_handlers["Config"] = store(m_data.configText);
}

IGlobleXml::~IGlobleXml() = default;

IModuleXml::IModuleXml(ModuleConfig& module) : m_module(module)
{
    m_handlers["name"] = [this](const std::string& element, const std::string& attribute, const std::string& value) {
        if (element == "Module" && attribute == "name")
            m_module.name = value;
    };
    m_handlers["Config"] = [this](const std::string& element, const std::string&, const std::string& value) {
        if (element == "Config")
            m_module.configText = value;
    };
}

IModuleXml::~IModuleXml() = default;
