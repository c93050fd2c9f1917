#pragma once
// A progress line with a marker at its end: the filled line, a point image,
// the rest of the line in a plain colour, and a turning animation floating
// over the point. The parts are built when the control is initialised.
#include "ui/controls/layout/HorizontalLayoutUI.h"

#include <string>
#include <utility>
#include <vector>

namespace SkinUI {

class CRotateAnimateUI;
class CVerticalLayoutUI;

class CProgressExUI : public CHorizontalLayoutUI {
public:
    ~CProgressExUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void runInit() override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;

    int currentValue() const { return m_value; }
    // Stores the value and, once the parts exist, moves them to it.
    void assignValue(int value);
    int maxValue() const { return m_maxValue; }
    void assignMax(int value);
    // The length of the filled line for the current value, in pixels.
    int filledWidth() const;

private:
    void buildContent();
    void placeParts();

    std::wstring m_lineForeImage;
    DWORD m_lineBackColour = 0;
    std::wstring m_pointImage;
    std::wstring m_animationImage;
    // "interval", "auto" and "loop" as written, for the animation child.
    std::vector<std::pair<std::wstring, std::wstring>> m_animationSettings;
    int m_minValue = 0;
    int m_maxValue = 100;
    int m_value = 0;
    int m_width = 0;
    int m_height = 0;
    int m_lineHeight = 0;
    int m_pointHeight = 0;
    int m_pointWidth = 0;
    int m_animationHeight = 0;
    int m_animationWidth = 0;

    // The parts, owned as children once built.
    CVerticalLayoutUI* m_foreColumn = nullptr;
    CContainerUI* m_foreLine = nullptr;
    CContainerUI* m_point = nullptr;
    CRotateAnimateUI* m_animation = nullptr;
};

} // namespace SkinUI
