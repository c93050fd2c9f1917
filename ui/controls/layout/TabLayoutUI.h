#pragma once
// Shows one child at a time, placed over the whole inner rectangle.
#include "ui/controls/ContainerUI.h"

namespace SkinUI {

class CTabLayoutUI : public CContainerUI {
public:
    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    bool addItem(CControlUI* control) override;
    bool insertItem(CControlUI* control, int index) override;
    bool removeItem(CControlUI* control) override;
    void removeAllItems() override;

    int selectedIndex() const { return m_selectedIndex; }
    bool focusOnSelect() const { return m_focusOnSelect; }
    // Shows child `index` and hides the others; false for an index out of
    // range. Sends "tabselect" (new index, previous index) on a change.
    bool selectTab(int index);

private:
    int m_selectedIndex = -1;
    bool m_focusOnSelect = true;
};

} // namespace SkinUI
