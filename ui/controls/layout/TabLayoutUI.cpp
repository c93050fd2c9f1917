#include "ui/controls/layout/TabLayoutUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/RectMath.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

const wchar_t* CTabLayoutUI::typeName() const { return L"TabLayoutUI"; }

void* CTabLayoutUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"TabLayout") == 0)
        return this;
    return CContainerUI::queryFacet(facet);
}

bool CTabLayoutUI::addItem(CControlUI* control)
{
    if (!CContainerUI::addItem(control))
        return false;
    if (m_selectedIndex == -1 && control->isShown())
        m_selectedIndex = indexOf(control);
    else
        control->assignShown(false);
    return true;
}

bool CTabLayoutUI::insertItem(CControlUI* control, int index)
{
    if (!CContainerUI::insertItem(control, index))
        return false;
    if (m_selectedIndex == -1 && control->isShown()) {
        m_selectedIndex = index;
    } else {
        if (index <= m_selectedIndex)
            ++m_selectedIndex;
        control->assignShown(false);
    }
    return true;
}

bool CTabLayoutUI::removeItem(CControlUI* control)
{
    const int index = indexOf(control);
    if (index < 0 || !CContainerUI::removeItem(control))
        return false;
    if (index == m_selectedIndex) {
        if (m_items.empty()) {
            m_selectedIndex = -1;
        } else {
            m_selectedIndex = 0;
            m_items.front()->assignShown(true);
        }
    } else if (index < m_selectedIndex) {
        --m_selectedIndex;
    }
    return true;
}

void CTabLayoutUI::removeAllItems()
{
    m_selectedIndex = -1;
    CContainerUI::removeAllItems();
}

bool CTabLayoutUI::selectTab(int index)
{
    if (index < 0 || index >= itemCount())
        return false;
    if (index == m_selectedIndex)
        return true;
    const int previous = m_selectedIndex;
    m_selectedIndex = index;
    for (int i = 0; i < itemCount(); ++i) {
        CControlUI* child = m_items[size_t(i)];
        if (i == index) {
            child->assignShown(true);
            if (m_focusOnSelect)
                child->grabFocus();
        } else {
            child->assignShown(false);
        }
    }
    markParentForRelayout();
    sendNotice(L"tabselect", WPARAM(index), LPARAM(previous));
    return true;
}

void CTabLayoutUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"selectedid")
        selectTab(ReadIntValue(value));
    else if (name == L"updatefocus")
        m_focusOnSelect = value != L"false";
    CContainerUI::writeAttribute(name, value);
}

void CTabLayoutUI::placeAt(RECT rc, bool invalidate)
{
    CControlUI::placeAt(rc, invalidate);
    const RECT inner = Deflate(m_rect, m_inset);
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI* child = m_items[i];
        if (child->isFloating()) {
            placeFloatingChild(int(i));
            continue;
        }
        if (int(i) != m_selectedIndex)
            continue; // hidden tabs keep their old rectangles
        const RECT area = Deflate(inner, child->outerMargin());
        SIZE size = child->measure(SIZE{area.right - area.left, area.bottom - area.top});
        if (size.cx == 0)
            size.cx = std::max<LONG>(0, area.right - area.left);
        if (size.cy == 0)
            size.cy = std::max<LONG>(0, area.bottom - area.top);
        size.cx = ApplyLimits(size.cx, child->lowerWidth(), child->upperWidth());
        size.cy = ApplyLimits(size.cy, child->lowerHeight(), child->upperHeight());
        child->placeAt(RECT{area.left, area.top, area.left + size.cx, area.top + size.cy}, false);
    }
}

} // namespace SkinUI
