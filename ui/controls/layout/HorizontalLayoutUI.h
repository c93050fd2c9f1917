#pragma once
// Lines the children up left to right: fixed-width children keep their width,
// the others share what is left.
#include "ui/controls/layout/LinearLayoutUI.h"

namespace SkinUI {

class CHorizontalLayoutUI : public CLinearLayoutUI {
public:
    CHorizontalLayoutUI() : CLinearLayoutUI(false) {}

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
};

} // namespace SkinUI
