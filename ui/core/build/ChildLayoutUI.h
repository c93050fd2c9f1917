#pragma once
// A container whose content is built from another skin file when the tree is
// attached to its window.
#include "ui/controls/ContainerUI.h"

namespace SkinUI {

class CChildLayoutUI : public CContainerUI {
public:
    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    // Builds the content instead of the usual initialisation: neither onInit
    // nor the init listeners run for this control.
    void runInit() override;

    const std::wstring& contentFile() const { return m_contentFile; }
    void assignContentFile(const std::wstring& file) { m_contentFile = file; }

private:
    std::wstring m_contentFile;
};

} // namespace SkinUI
