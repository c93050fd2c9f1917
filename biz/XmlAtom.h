#pragma once
// A small framework that walks a parsed XML tree and delivers every
// attribute and text to handlers keyed by name. An atom may hand a child
// element's subtree to a new atom of its own choosing.
#include "ConfigData.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class TiXmlElement;

class IXmlAtom {
public:
    using Handler = std::function<void(const std::string& element, const std::string& attribute,
                                       const std::string& value)>;

    IXmlAtom() = default;
    virtual ~IXmlAtom();
    IXmlAtom(const IXmlAtom&) = delete;
    IXmlAtom& operator=(const IXmlAtom&) = delete;

    // The key is `attribute` when not empty, else `element`; unknown keys are ignored.
    virtual void OnValue(const std::string& element, const std::string& attribute, const std::string& value);
    // A new atom for the subtree of a child element, or null to keep this one.
    virtual std::unique_ptr<IXmlAtom> CreateChild(const std::string& name);
    // Walks the XML file at `path` from its first element; no version needed.
    virtual bool LoadFile(const std::wstring& path);
    // Walks XML text; the root element must carry "version".
    virtual bool Parse(const char* text);

    const std::string& Version() const { return m_version; }

protected:
    std::map<std::string, Handler> m_handlers;
    std::string m_version;

private:
    void WalkChildren(const TiXmlElement& element);
};

// The document's root: hands "Globle" and each "Module" to their own atoms.
class IConfigXml : public IXmlAtom {
public:
    IConfigXml();
    ~IConfigXml() override;

    std::unique_ptr<IXmlAtom> CreateChild(const std::string& name) override;

    ConfigData& Data() { return *m_data; }
    std::unique_ptr<ConfigData> TakeData() { return std::move(m_data); }

private:
    std::unique_ptr<ConfigData> m_data;
};

// "Globle": stores the texts of "Urls", "Adaptation", "API" and "Config".
class IGlobleXml : public IXmlAtom {
public:
    explicit IGlobleXml(ConfigData& data);
    ~IGlobleXml() override;

private:
    ConfigData& m_data;
};

// One "Module": its "name" attribute and the text of its "Config" child.
class IModuleXml : public IXmlAtom {
public:
    explicit IModuleXml(ModuleConfig& module);
    ~IModuleXml() override;

private:
    ModuleConfig& m_module;
};
