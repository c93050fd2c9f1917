#include "ui/controls/ProgressUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/core/res/ValueText.h"

#include <cwchar>

namespace SkinUI {

CProgressUI::CProgressUI()
{
    m_presetHeight = 12;
    m_textStyle = TEXT_CENTER | TEXT_SINGLELINE;
}

CProgressUI::~CProgressUI() = default;

const wchar_t* CProgressUI::typeName() const
{
    return L"ProgressUI";
}

void* CProgressUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"Progress") == 0)
        return this;
    return CLabelUI::queryFacet(facet);
}

void CProgressUI::assignMax(int value)
{
    m_maxValue = value;
    requestRepaint();
}

void CProgressUI::assignMin(int value)
{
    m_minValue = value;
    requestRepaint();
}

void CProgressUI::assignValue(int value)
{
    m_value = value;
    requestRepaint();
}

void CProgressUI::assignProgressImage(TImageDrawInfo& image, const std::wstring& text)
{
    if (image.source == text && image.image)
        return;
    image.Reset(text);
    requestRepaint();
}

void CProgressUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"foreimage") {
        assignProgressImage(m_barImage, value);
    } else if (name == L"hor") {
        bool horizontal = ParseFlagText(value);
        if (horizontal != m_horizontal) {
            m_horizontal = horizontal;
            requestRepaint();
        }
    } else if (name == L"min") {
        assignMin(ReadIntValue(value));
    } else if (name == L"max") {
        assignMax(ReadIntValue(value));
    } else if (name == L"value") {
        assignValue(ReadIntValue(value));
    } else if (name == L"isstretchfore") {
        bool stretch = ParseFlagText(value);
        if (stretch != m_stretchFore) {
            m_stretchFore = stretch;
            requestRepaint();
        }
    } else {
        CLabelUI::writeAttribute(name, value);
    }
}

bool CProgressUI::drawImageAt(HDC dc, TImageDrawInfo& image, const RECT& dest)
{
    if (image.source.empty())
        return false;
    drawImageSpec(nullptr, image); // parse first, so the string's own dest does not come back
    image.dest = dest;
    return drawImageSpec(dc, image);
}

void CProgressUI::drawStateImage(HDC dc)
{
    // Stored values may be out of order or out of range; paint time puts them right.
    if (m_minValue >= m_maxValue)
        m_maxValue = m_minValue + 1;
    if (m_value > m_maxValue)
        m_value = m_maxValue;
    if (m_value < m_minValue)
        m_value = m_minValue;

    const long long width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
    const long long range = (long long)m_maxValue - m_minValue;
    RECT dest;
    if (m_horizontal)
        dest = RECT{0, 0, LONG(width * (m_value - m_minValue) / range), LONG(height)};
    else
        dest = RECT{0, LONG(height * (m_maxValue - m_value) / range), LONG(width), LONG(height)};
    drawImageAt(dc, m_barImage, dest);
}

} // namespace SkinUI
