#include "ui/core/build/ChildLayoutUI.h"

#include "ui/core/build/SkinBuilder.h"

#include <cwchar>

namespace SkinUI {

const wchar_t* CChildLayoutUI::typeName() const { return L"ChildLayoutUI"; }

void* CChildLayoutUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"ChildLayout") == 0)
        return this;
    return CContainerUI::queryFacet(facet);
}

void CChildLayoutUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"xmlfile")
        m_contentFile = value;
    else
        CContainerUI::writeAttribute(name, value);
}

void CChildLayoutUI::runInit()
{
    if (m_contentFile.empty())
        return;
    CSkinBuilder builder;
    CControlUI* content = builder.Build(m_contentFile.c_str(), nullptr, nullptr, m_context, nullptr);
    if (content)
        addItem(content);
    else
        removeAllItems();
}

} // namespace SkinUI
