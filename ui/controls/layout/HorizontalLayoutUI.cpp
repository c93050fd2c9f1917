#include "ui/controls/layout/HorizontalLayoutUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/RectMath.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

const wchar_t* CHorizontalLayoutUI::typeName() const { return L"HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"HorizontalLayout") == 0)
        return this;
    return CContainerUI::queryFacet(facet);
}

void CHorizontalLayoutUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"sepwidth")
        m_sepSize = ReadIntValue(value);
    else if (name == L"sepimm")
        m_sepImmediate = ParseFlagText(value);
    else
        CContainerUI::writeAttribute(name, value);
}

void CHorizontalLayoutUI::placeAt(RECT rc, bool invalidate)
{
    CControlUI::placeAt(rc, invalidate);
    RECT inner = Deflate(m_rect, m_inset);
    // An empty layout still places its horizontal bar along the full inner rectangle.
    if (m_items.empty()) {
        fitScrollBars(inner, 0, 0);
        return;
    }
    const bool vShown = isBarShown(m_vBar);
    const bool hShown = isBarShown(m_hBar);
    if (vShown)
        inner.right -= m_vBar->presetWidth();
    if (hShown)
        inner.bottom -= m_hBar->presetHeight();

    SIZE available{inner.right - inner.left, inner.bottom - inner.top};
    if (hShown)
        available.cx += m_hBar->range();

    int needed = 0;
    {
        CLockGuard lock(m_lock);
        // First pass: what the fixed-width children take, and how many stretch.
        int stretchCount = 0;
        int fixedTotal = 0;
        int counted = 0;
        for (CControlUI* child : m_items) {
            if (!child->isShown() || child->isFloating())
                continue;
            const SIZE measured = child->measure(available);
            int width = 0;
            if (measured.cx != 0)
                width = ApplyLimits(measured.cx, child->lowerWidth(), child->upperWidth());
            else
                ++stretchCount;
            const RECT margin = child->outerMargin();
            fixedTotal += margin.left + width + margin.right;
            ++counted;
        }
        if (counted > 0)
            fixedTotal += (counted - 1) * m_childGap;
        const int share = stretchCount > 0 ? std::max<int>(0, (available.cx - fixedTotal) / stretchCount) : 0;

        // Second pass: place them.
        int x = inner.left - (hShown ? m_hBar->position() : 0);
        const int top = inner.top;
        int remaining = available.cx;
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
            remaining -= margin.left;
            const SIZE measured = child->measure(SIZE{remaining, available.cy});
            int width = measured.cx;
            if (width == 0) {
                ++stretchSeen;
                width = share;
                // The last stretching child takes the rounding remainder.
                if (stretchSeen == stretchCount)
                    width = std::max<int>(0, remaining - margin.right - fixedLeft);
            } else {
                fixedLeft -= width + margin.left + margin.right;
            }
            width = ApplyLimits(width, child->lowerWidth(), child->upperWidth());
            fixedLeft -= m_childGap;

            int height = child->presetHeight();
            if (height == 0)
                height = inner.bottom - inner.top - margin.top - margin.bottom;
            height = ApplyLimits(std::max(height, 0), child->lowerHeight(), child->upperHeight());

            const RECT placed{x + margin.left, top + margin.top, x + margin.left + width, top + margin.top + height};
            child->placeAt(placed, false);

            x += margin.left + width + margin.right + m_childGap;
            needed += margin.left + width + margin.right;
            remaining -= width + m_childGap + margin.right;
        }
        if (counted > 0)
            needed += (counted - 1) * m_childGap;
    }
    fitScrollBars(inner, needed, 0);
}

} // namespace SkinUI
