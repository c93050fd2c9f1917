#include "ui/controls/layout/TileLayoutUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/RectMath.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cwchar>

namespace SkinUI {

const wchar_t* CTileLayoutUI::typeName() const { return L"TileLayoutUI"; }

void* CTileLayoutUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"TileLayout") == 0)
        return this;
    return CContainerUI::queryFacet(facet);
}

void CTileLayoutUI::assignItemSize(SIZE size)
{
    if (size.cx == m_itemSize.cx && size.cy == m_itemSize.cy)
        return;
    m_itemSize = size;
    markForRelayout();
}

void CTileLayoutUI::assignColumns(int columns)
{
    if (columns <= 0)
        return;
    m_columns = columns;
    markForRelayout();
}

void CTileLayoutUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"itemsize")
        assignItemSize(ParseSizeText(value));
    else if (name == L"columns")
        assignColumns(ReadIntValue(value));
    else
        CContainerUI::writeAttribute(name, value);
}

int CTileLayoutUI::measureRow(size_t first, int placed, int cell) const
{
    // Every child of the row is measured against the limits of the row's first child.
    const CControlUI* rowFirst = m_items[first];
    int rowHeight = 0;
    int index = placed;
    for (size_t i = first; i < m_items.size(); ++i) {
        CControlUI* child = m_items[i];
        if (!child->isShown() || child->isFloating())
            continue;
        const RECT margin = child->outerMargin();
        const bool edgeCell = index == placed || (index + 1) % m_columns == 0;
        int width = cell - margin.left - margin.right - (edgeCell ? m_childGap / 2 : m_childGap);
        width = ApplyLimits(width, rowFirst->lowerWidth(), rowFirst->upperWidth());
        SIZE measured = child->measure(SIZE{width, 9999});
        measured.cx = ApplyLimits(measured.cx, rowFirst->lowerWidth(), rowFirst->upperWidth());
        measured.cy = ApplyLimits(measured.cy, rowFirst->lowerHeight(), rowFirst->upperHeight());
        rowHeight = std::max<int>(rowHeight, measured.cy + margin.top + margin.bottom);
        if (++index % m_columns == 0)
            break;
    }
    return rowHeight;
}

void CTileLayoutUI::placeAt(RECT rc, bool invalidate)
{
    CControlUI::placeAt(rc, invalidate);
    const bool vShown = isBarShown(m_vBar);
    const bool hShown = isBarShown(m_hBar);
    RECT inner = Deflate(m_rect, m_inset);
    if (!m_items.empty()) {
        if (vShown)
            inner.right -= m_vBar->presetWidth();
        if (hShown)
            inner.bottom -= m_hBar->presetHeight();
    }
    const int innerWidth = inner.right - inner.left;
    if (m_itemSize.cx > 0)
        m_columns = std::max<int>(1, innerWidth / m_itemSize.cx);
    const int cell = (innerWidth + (hShown ? m_hBar->range() : 0)) / m_columns;

    const int rowLeft = inner.left - (hShown ? m_hBar->position() : 0);
    const int vOffset = vShown ? m_vBar->position() : 0;
    int x = rowLeft;
    int y = inner.top - vOffset;
    int rowHeight = 0;
    int placed = 0;
    int used = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI* child = m_items[i];
        if (!child->isShown())
            continue;
        if (child->isFloating()) {
            placeFloatingChild(int(i));
            continue;
        }
        const int cellLeft = x;
        const int cellRight = x + cell;
        const bool firstInRow = placed % m_columns == 0;
        const bool lastInRow = (placed + 1) % m_columns == 0;
        if (firstInRow)
            rowHeight = measureRow(i, placed, cell);

        const RECT margin = child->outerMargin();
        const int leftEdge = cellLeft + margin.left + (firstInRow ? 0 : m_childGap / 2);
        const int rightEdge = cellRight - margin.right - (lastInRow ? 0 : m_childGap / 2);
        const int top = y + margin.top;
        const int availableHeight = rowHeight - margin.top;
        SIZE size = child->measure(SIZE{rightEdge - leftEdge, availableHeight});
        if (size.cx == 0)
            size.cx = rightEdge - leftEdge;
        if (size.cy == 0)
            size.cy = availableHeight;
        size.cx = ApplyLimits(size.cx, child->lowerWidth(), child->upperWidth());
        size.cy = ApplyLimits(size.cy, child->lowerHeight(), child->upperHeight());
        // Centred in its cell.
        const int left = (leftEdge + rightEdge - size.cx) / 2;
        const int placedTop = (top + y + rowHeight - size.cy) / 2;
        child->placeAt(RECT{left, placedTop, left + size.cx, placedTop + size.cy}, false);
        ++placed;

        if (placed % m_columns != 0) {
            x = cellRight;
        } else {
            y += rowHeight + m_childGap;
            rowHeight = 0;
            x = rowLeft;
        }
        used = y + rowHeight - inner.top + vOffset;
    }
    fitScrollBars(inner, 0, used);
}

} // namespace SkinUI
