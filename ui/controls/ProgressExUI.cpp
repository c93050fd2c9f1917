#include "ui/controls/ProgressExUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/SequencePictureUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

namespace {

// A column whose middle row is the line, centred between two stretching rows.
CVerticalLayoutUI* NewLineColumn(int lineHeight, CContainerUI*& line)
{
    auto* column = new CVerticalLayoutUI();
    line = new CContainerUI();
    line->assignPresetHeight(lineHeight);
    column->addItem(new CContainerUI());
    column->addItem(line);
    column->addItem(new CContainerUI());
    return column;
}

} // namespace

CProgressExUI::~CProgressExUI() = default;

const wchar_t* CProgressExUI::typeName() const
{
    return L"ProgressExUI";
}

void* CProgressExUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"ProgressEx") == 0)
        return this;
    return CHorizontalLayoutUI::queryFacet(facet);
}

void CProgressExUI::runInit()
{
    if (!m_foreColumn) {
        buildContent();
        placeParts();
    }
    CHorizontalLayoutUI::runInit();
}

void CProgressExUI::buildContent()
{
    m_foreColumn = NewLineColumn(m_lineHeight, m_foreLine);
    m_foreLine->assignForeImage(m_lineForeImage);

    m_point = new CContainerUI();
    m_point->assignPresetWidth(m_pointWidth);
    m_point->assignPresetHeight(m_pointHeight);
    m_point->assignOuterMargin(RECT{0, (m_animationHeight - m_pointHeight) / 2, 0, 0});
    m_point->assignBackImage(m_pointImage);

    CContainerUI* backLine = nullptr;
    CVerticalLayoutUI* backColumn = NewLineColumn(m_lineHeight, backLine);
    backLine->assignBackColour(m_lineBackColour);

    m_animation = new CRotateAnimateUI();
    m_animation->assignFloating(true);
    m_animation->assignPresetWidth(m_animationWidth);
    m_animation->assignPresetHeight(m_animationHeight);
    for (const auto& setting : m_animationSettings)
        m_animation->writeAttribute(setting.first, setting.second);
    m_animation->assignBackImage(m_animationImage);

    // Added last, so each part is complete when it is bound and initialised.
    addItem(m_foreColumn);
    addItem(m_point);
    addItem(backColumn);
    addItem(m_animation);
}

int CProgressExUI::filledWidth() const
{
    if (m_maxValue <= 0)
        return 1;
    const long long value = std::min(m_value, m_maxValue);
    return int(std::max<long long>(1, value * m_width / m_maxValue));
}

void CProgressExUI::placeParts()
{
    if (!m_foreColumn)
        return;
    const int filled = filledWidth();
    m_foreColumn->assignPresetWidth(filled);
    m_foreLine->assignPresetWidth(filled);
    m_foreLine->assignForeImage(L"file='" + m_lineForeImage + L"' source='0,0," + std::to_wstring(filled + 3) + L"," +
                                std::to_wstring(m_lineHeight) + L"'");
    const bool marked = m_value < m_maxValue;
    m_point->assignShown(marked);
    m_animation->assignShown(marked);
    m_animation->assignFloatOrigin(SIZE{filled - (m_animationWidth - m_pointWidth) / 2, 0});
    markForRelayout();
}

void CProgressExUI::assignValue(int value)
{
    m_value = value;
    placeParts();
}

void CProgressExUI::assignMax(int value)
{
    m_maxValue = value;
    placeParts();
}

void CProgressExUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    static const struct {
        const wchar_t* name;
        int CProgressExUI::*field;
    } kNumbers[] = {
        {L"min", &CProgressExUI::m_minValue},
        {L"max", &CProgressExUI::m_maxValue},
        {L"value", &CProgressExUI::m_value},
        {L"width", &CProgressExUI::m_width},
        {L"height", &CProgressExUI::m_height},
        {L"lineheight", &CProgressExUI::m_lineHeight},
        {L"pointheight", &CProgressExUI::m_pointHeight},
        {L"pointwidth", &CProgressExUI::m_pointWidth},
        {L"animationheight", &CProgressExUI::m_animationHeight},
        {L"animationwidth", &CProgressExUI::m_animationWidth},
    };
    bool number = false;
    for (const auto& entry : kNumbers) {
        if (name == entry.name) {
            this->*entry.field = ReadIntValue(value);
            number = true;
        }
    }
    if (number)
        placeParts();
    else if (name == L"lineforeimage")
        m_lineForeImage = value;
    else if (name == L"linebkcolor")
        m_lineBackColour = ReadBackColourValue(value);
    else if (name == L"point")
        m_pointImage = value;
    else if (name == L"animation")
        m_animationImage = value;
    else if (name == L"interval" || name == L"auto" || name == L"loop")
        m_animationSettings.emplace_back(name, value);
    // Every name reaches the layout as well: "width" and "height" size it.
    CHorizontalLayoutUI::writeAttribute(name, value);
}

} // namespace SkinUI
