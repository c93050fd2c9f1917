#include "ui/controls/OptionUI.h"

#include "ui/core/res/ValueText.h"
#include "ui/core/host/WindowContextUI.h"

#include <cwchar>

namespace SkinUI {

COptionUI::~COptionUI()
{
    if (m_context && !m_group.empty())
        m_context->LeaveGroup(m_group, this);
}

const wchar_t* COptionUI::typeName() const
{
    return L"OptionUI";
}

void* COptionUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"Option") == 0)
        return this;
    return CButtonUI::queryFacet(facet);
}

bool COptionUI::fireAction()
{
    if (!CButtonUI::fireAction())
        return false;
    // In a group an option only ever selects itself; alone it toggles.
    assignSelected(!m_group.empty() || !m_selected, true);
    return true;
}

void COptionUI::bindContext(CWindowContextUI* context, CControlUI* parent, bool runInit)
{
    CButtonUI::bindContext(context, parent, runInit);
    if (runInit && m_context && !m_group.empty())
        m_context->JoinGroup(m_group, this);
}

void COptionUI::assignOperable(bool enabled)
{
    CControlUI::assignOperable(enabled);
    if (!isOperable())
        m_state = m_selected ? UINT(STATE_SELECTED) : 0u;
}

void COptionUI::assignGroup(const std::wstring& group)
{
    if (group == m_group)
        return;
    if (m_context && !m_group.empty())
        m_context->LeaveGroup(m_group, this);
    m_group = group;
    if (m_context && !m_group.empty())
        m_context->JoinGroup(m_group, this);
    assignSelected(m_selected, true);
}

void COptionUI::assignSelected(bool selected, bool notify)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    m_state = selected ? (m_state | STATE_SELECTED) : (m_state & ~STATE_SELECTED);
    if (m_context) {
        if (!m_group.empty()) {
            if (!selected) {
                requestRepaint();
                return;
            }
            if (const auto* members = m_context->GroupMembers(m_group)) {
                // Copied: a deselected member may leave the group while we walk it.
                const std::vector<CControlUI*> others = *members;
                for (CControlUI* member : others)
                    if (member != this)
                        if (auto* option = static_cast<COptionUI*>(member->queryFacet(L"Option")))
                            option->assignSelected(false, true);
            }
        }
        if (notify)
            sendNotice(L"selectchanged");
    }
    requestRepaint();
}

void COptionUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"group")
        assignGroup(value);
    else if (name == L"selected")
        assignSelected(ParseFlagText(value), true);
    else if (name == L"selectedimage")
        assignButtonImage(m_selectedImage, value);
    else if (name == L"selectedhotimage")
        assignButtonImage(m_selectedHotImage, value);
    else if (name == L"selecteddisabledimage")
        assignButtonImage(m_selectedDisabledImage, value);
    else if (name == L"foreimage")
        assignButtonImage(m_foreImage, value);
    else if (name == L"selectedbkcolor")
        m_selectedBackColour = ParseColourText(value);
    else if (name == L"selectedtextcolor")
        m_selectedTextColour = ParseColourText(value);
    else
        CButtonUI::writeAttribute(name, value);
}

SIZE COptionUI::measure(SIZE available)
{
    if (m_presetHeight != 0)
        return CControlUI::measure(available);
    return SIZE{m_presetWidth, fontHeightPlus(8)};
}

void COptionUI::drawStateImage(HDC dc)
{
    refreshPaintState();
    if (!m_selected) {
        // An unselected option never shows its pushed image.
        drawButtonStateImage(dc, m_state & ~STATE_PUSHED);
        return;
    }
    if (m_state & STATE_HOT) {
        fillPaintRect(dc, m_hotBackColour != 0 ? m_hotBackColour : m_selectedBackColour);
        if (drawButtonImage(dc, m_selectedHotImage))
            return;
        if (!drawButtonImage(dc, m_selectedImage)) {
            drawForeImageAgain(dc);
            return;
        }
    }
    fillPaintRect(dc, m_selectedBackColour);
    if (!isOperable() && drawButtonImage(dc, m_selectedDisabledImage))
        return;
    if (!drawButtonImage(dc, m_selectedImage))
        drawForeImageAgain(dc);
}

void COptionUI::drawText(HDC dc)
{
    refreshPaintState();
    if (!m_selected) {
        drawButtonText(dc, m_state & ~STATE_PUSHED);
        return;
    }
    resolveDefaultColours();
    if (m_text.empty())
        return;
    DWORD colour = m_selectedTextColour != 0 ? m_selectedTextColour : m_textColour;
    if (!isOperable())
        colour = m_disabledTextColour;
    paintLabelText(dc, textRect(), colour, m_fontIndex, m_textStyle);
}

const wchar_t* CCheckBoxUI::typeName() const
{
    return L"CheckBoxUI";
}

void* CCheckBoxUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"CheckBox") == 0)
        return this;
    return COptionUI::queryFacet(facet);
}

} // namespace SkinUI
