#include "ui/core/build/SkinBuilder.h"

#include "biz/Logger.h"
#include "ui/controls/ContainerUI.h"
#include "ui/controls/ControlUI.h"
#include "ui/core/build/ControlFactory.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/build/SkinWindowSettings.h"
#include "ui/core/host/WindowContextUI.h"

#include <cwchar>
#include <vector>

namespace SkinUI {

namespace {

constexpr wchar_t kLogSource[] = L"SkinBuilder";

enum class EAddResult { Added, Refused, NotAContainer };

EAddResult AddToParent(CControlUI* parent, CControlUI* control)
{
    void* facet = parent->queryFacet(L"IContainer");
    if (!facet)
        return EAddResult::NotAContainer;
    return static_cast<IContainerUI*>(facet)->addItem(control) ? EAddResult::Added : EAddResult::Refused;
}

bool SameNoCase(const wchar_t* a, const wchar_t* b)
{
    return a && b && _wcsicmp(a, b) == 0;
}

} // namespace

CControlUI* CSkinBuilder::Build(LPCWSTR source, LPCWSTR resourceType, IDialogBuilderCallback* callback,
                                CWindowContextUI* context, CControlUI* parent)
{
    if (!Load(source, resourceType))
        return nullptr;
    return BuildLoaded(callback, context, parent);
}

bool CSkinBuilder::Load(LPCWSTR source, LPCWSTR resourceType)
{
    m_hasResourceType = false;
    if (!source) {
        m_markup.Discard();
        return false;
    }
    if (IS_INTRESOURCE(source)) {
        if (!resourceType) {
            m_markup.Discard();
            return false;
        }
        m_hasResourceType = true;
        m_resourceTypeId = IS_INTRESOURCE(resourceType) ? LOWORD(reinterpret_cast<ULONG_PTR>(resourceType)) : 0;
        m_resourceTypeName = IS_INTRESOURCE(resourceType) ? std::wstring() : std::wstring(resourceType);
        std::optional<TByteBlock> bytes = ReadSkinResourceBytes(source, resourceType);
        if (!bytes) {
            m_markup.Discard();
            return false;
        }
        return m_markup.LoadBytes(bytes->data(), bytes->size(), CSkinMarkup::kUtf8);
    }
    if (source[0] == L'<')
        return m_markup.LoadText(source);
    return m_markup.LoadFile(source, CSkinMarkup::kUtf8);
}

LPCWSTR CSkinBuilder::ResourceType() const
{
    return m_resourceTypeId ? MAKEINTRESOURCEW(m_resourceTypeId) : m_resourceTypeName.c_str();
}

CControlUI* CSkinBuilder::BuildLoaded(IDialogBuilderCallback* callback, CWindowContextUI* context,
                                      CControlUI* parent)
{
    // The outermost build owns the include budget; includes share it.
    TBuildLimits limits;
    bool outermost = m_limits == nullptr;
    if (outermost)
        m_limits = &limits;
    CControlUI* first = BuildWithLimits(callback, context, parent);
    if (outermost)
        m_limits = nullptr;
    return first;
}

CControlUI* CSkinBuilder::BuildWithLimits(IDialogBuilderCallback* callback, CWindowContextUI* context,
                                          CControlUI* parent)
{
    m_callback = callback;
    CSkinNode root = m_markup.Root();
    if (!root.Exists())
        return nullptr;
    if (context) {
        for (CSkinNode child = root.FirstChild(); child.Exists(); child = child.NextSibling()) {
            if (IsResourceElement(child.Name()))
                ApplyResourceElement(child, *context);
        }
        if (SameNoCase(root.Name(), L"Window") && context->Window()) {
            for (int i = 0; i < root.AttrCount(); ++i)
                ApplyWindowAttribute(*context, root.AttrNameAt(i), root.AttrValueAt(i));
        }
    }
    CControlUI* first = nullptr;
    if (!CreateChildren(root, parent, context, m_baseDepth + 1, first))
        return nullptr;
    return first;
}

bool CSkinBuilder::CreateChildren(const CSkinNode& node, CControlUI* parent, CWindowContextUI* context, int depth,
                                  CControlUI*& first)
{
    first = nullptr;
    // Without a parent nothing owns the controls of this level but the result.
    std::vector<CControlUI*> unowned;
    bool ok = true;
    for (CSkinNode child = node.FirstChild(); child.Exists(); child = child.NextSibling()) {
        const wchar_t* name = child.Name();
        if (IsResourceElement(name))
            continue;
        if (SameNoCase(name, L"Include")) {
            if (child.HasAttrs())
                RunInclude(child, parent, context, depth);
            continue;
        }
        CControlUI* created = nullptr;
        if (!CreateOne(child, parent, context, depth, created)) {
            ok = false;
            break;
        }
        if (!created)
            continue;
        if (!first)
            first = created;
        if (!parent)
            unowned.push_back(created);
    }
    for (CControlUI* control : unowned) {
        if (!ok || control != first)
            delete control;
    }
    if (!ok)
        first = nullptr;
    return ok;
}

bool CSkinBuilder::CreateOne(const CSkinNode& element, CControlUI* parent, CWindowContextUI* context, int depth,
                             CControlUI*& created)
{
    created = nullptr;
    const wchar_t* name = element.Name();
    if (depth > kMaxNesting) {
        LOG_ERROR(kLogSource, L"Skin nested too deeply at %s", name);
        return false;
    }
    CControlUI* control = NewControl(name);
    if (!control)
        return true; // unknown: skipped with everything below it

    // Children first, so attributes that depend on them (a selected index) see them.
    if (element.HasChild()) {
        CControlUI* firstChild = nullptr;
        if (!CreateChildren(element, control, context, depth + 1, firstChild)) {
            delete control;
            return false;
        }
    }
    if (parent) {
        switch (AddToParent(parent, control)) {
        case EAddResult::NotAContainer:
            LOG_ERROR(kLogSource, L"%s cannot hold child %s", parent->typeName(), name);
            delete control;
            return false;
        case EAddResult::Refused:
            delete control;
            return true;
        case EAddResult::Added:
            break;
        }
    }
    if (context) {
        control->bindContext(context, nullptr, false);
        if (const std::wstring* defaults = context->ClassDefaults(name))
            control->applyAttributeList(*defaults);
    }
    for (int i = 0; i < element.AttrCount(); ++i)
        control->writeAttribute(element.AttrNameAt(i), element.AttrValueAt(i));
    // The real binding comes when the window context adopts the whole tree.
    if (context)
        control->bindContext(nullptr, nullptr, false);
    created = control;
    return true;
}

CControlUI* CSkinBuilder::NewControl(const wchar_t* elementName)
{
    if (CControlUI* control = CreateControlByElement(elementName))
        return control;
    return m_callback ? m_callback->BuildControl(elementName) : nullptr;
}

void CSkinBuilder::RunInclude(const CSkinNode& node, CControlUI* parent, CWindowContextUI* context, int depth)
{
    int count = 1;
    wchar_t countText[500];
    if (node.CopyAttrValue(L"count", countText, 500))
        count = ParseDecimalText(countText, 0);
    const wchar_t* source = node.AttrValue(L"source");
    if (!source || count <= 0)
        return;
    if (m_includeDepth >= kMaxIncludeDepth) {
        LOG_ERROR(kLogSource, L"Include nested too deeply: %s", source);
        return;
    }
    LPCWSTR includeSource = source;
    if (m_hasResourceType) {
        int id = ParseDecimalText(source, 0);
        if (id <= 0 || id > 0xFFFF)
            return;
        includeSource = MAKEINTRESOURCEW(id);
    }
    for (int run = 0; run < count; ++run) {
        if (m_limits->includeRuns >= kMaxIncludeRuns) {
            LOG_ERROR(kLogSource, L"Too many include runs, stopped at %s", source);
            return;
        }
        ++m_limits->includeRuns;
        CSkinBuilder included;
        included.m_limits = m_limits;
        included.m_includeDepth = m_includeDepth + 1;
        included.m_baseDepth = depth - 1;
        CControlUI* first = included.Build(includeSource, m_hasResourceType ? ResourceType() : nullptr, m_callback,
                                           context, parent);
        // Without a parent nothing could hold the included controls.
        if (first && !parent)
            delete first;
    }
}

} // namespace SkinUI
