#pragma once
// Stacks the children top to bottom: fixed-height children keep their height,
// the others share what is left.
#include "ui/controls/layout/LinearLayoutUI.h"

namespace SkinUI {

class CVerticalLayoutUI : public CLinearLayoutUI {
public:
    CVerticalLayoutUI() : CLinearLayoutUI(true) {}

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
};

} // namespace SkinUI
