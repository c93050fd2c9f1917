#include "ui/controls/layout/VerticalLayoutUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/RectMath.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

const wchar_t* CVerticalLayoutUI::typeName() const { return L"VerticalLayoutUI"; }

void* CVerticalLayoutUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"VerticalLayout") == 0)
        return this;
    return CContainerUI::queryFacet(facet);
}

void CVerticalLayoutUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"sepheight")
        m_sepSize = ReadIntValue(value);
    else if (name == L"sepimm")
        m_sepImmediate = ParseFlagText(value);
    else
        CContainerUI::writeAttribute(name, value);
}

void CVerticalLayoutUI::placeAt(RECT rc, bool invalidate)
{
    CControlUI::placeAt(rc, invalidate);
    const bool vShown = isBarShown(m_vBar);
    const bool hShown = isBarShown(m_hBar);
    RECT inner = Deflate(m_rect, m_inset);
    if (vShown)
        inner.right -= m_vBar->presetWidth();
    if (hShown)
        inner.bottom -= m_hBar->presetHeight();
    if (m_items.empty()) {
        fitScrollBars(inner, 0, 0);
        return;
    }

    SIZE available{inner.right - inner.left, inner.bottom - inner.top};
    if (hShown)
        available.cx += m_hBar->range();

    int needed = 0;
    {
        CLockGuard lock(m_lock);
        // First pass: what the fixed-height children take, and how many stretch.
        int stretchCount = 0;
        int fixedTotal = 0;
        int counted = 0;
        for (CControlUI* child : m_items) {
            if (!child->isShown() || child->isFloating())
                continue;
            const SIZE measured = child->measure(available);
            int height = 0;
            if (measured.cy != 0)
                height = ApplyLimits(measured.cy, child->lowerHeight(), child->upperHeight());
            else
                ++stretchCount;
            const RECT margin = child->outerMargin();
            fixedTotal += margin.top + height + margin.bottom;
            ++counted;
        }
        if (counted > 0)
            fixedTotal += (counted - 1) * m_childGap;
        const int share = stretchCount > 0 ? std::max<int>(0, (available.cy - fixedTotal) / stretchCount) : 0;

        // Second pass: place them.
        const int y0 = inner.top - (vShown ? m_vBar->position() : 0);
        const int x = inner.left - (hShown ? m_hBar->position() : 0);
        int y = y0;
        int remaining = available.cy;
        int fixedLeft = fixedTotal;
        int stretchSeen = 0;
        for (size_t i = 0; i < m_items.size(); ++i) {
            CControlUI* child = m_items[i];
            if (!child->isShown())
                continue;
            if (child->isFloating()) {
                placeFloatingChild(int(i));
                continue;
            }
            const RECT margin = child->outerMargin();
            remaining -= margin.top;
            const SIZE measured = child->measure(SIZE{available.cx, remaining});
            int height = measured.cy;
            if (height == 0) {
                ++stretchSeen;
                height = share;
                // The last stretching child takes the rounding remainder.
                if (stretchSeen == stretchCount)
                    height = std::max<int>(0, remaining - margin.bottom - fixedLeft);
            } else {
                fixedLeft -= height;
            }
            height = ApplyLimits(height, child->lowerHeight(), child->upperHeight());

            int width = child->presetWidth();
            if (width == 0)
                width = available.cx - margin.left - margin.right;
            width = ApplyLimits(std::max(width, 0), child->lowerWidth(), child->upperWidth());

            // The bottom margin lies inside the child's rectangle in this layout.
            const RECT placed{x + margin.left, y + margin.top, x + margin.left + width,
                              y + margin.top + height + margin.bottom};
            child->placeAt(placed, false);

            y += margin.top + height + margin.bottom + m_childGap;
            needed += margin.top + height + margin.bottom;
            remaining -= height + m_childGap + margin.bottom;
        }
        if (counted > 0)
            needed += (counted - 1) * m_childGap;
    }
    fitScrollBars(inner, 0, needed);
}

} // namespace SkinUI
