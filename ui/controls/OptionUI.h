#pragma once
// Options keep a selected state; options of one group select exclusively.
// A check box is an option under its own name.
#include "ui/controls/ButtonUI.h"

namespace SkinUI {

class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    bool fireAction() override;
    void bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit) override;
    void assignOperable(bool enabled) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE measure(SIZE available) override;
    void drawStateImage(HDC dc) override;
    void drawText(HDC dc) override;
    // Appended after the control operations.
    virtual void assignSelected(bool selected, bool notify = true);

    bool selected() const { return m_selected; }
    const std::wstring& group() const { return m_group; }
    void assignGroup(const std::wstring& group);

protected:
    bool m_selected = false;
    std::wstring m_group;
    DWORD m_selectedBackColour = 0;
    DWORD m_selectedTextColour = 0;
    TImageDrawInfo m_selectedImage;
    TImageDrawInfo m_selectedHotImage;
    TImageDrawInfo m_selectedDisabledImage;
};

class CCheckBoxUI : public COptionUI {
public:
    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    bool isChecked() const { return m_selected; }
    void setChecked(bool checked, bool notify = true) { assignSelected(checked, notify); }
};

} // namespace SkinUI
