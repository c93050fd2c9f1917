#pragma once
// Places the children in a grid of equal-width cells, row by row; each row is
// as high as its tallest child.
#include "ui/controls/ContainerUI.h"

namespace SkinUI {

class CTileLayoutUI : public CContainerUI {
public:
    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void placeAt(RECT rc, bool invalidate = true) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;

    SIZE itemSize() const { return m_itemSize; }
    // A cell width (cx > 0) makes the column count follow the layout's width.
    void assignItemSize(SIZE size);
    int columns() const { return m_columns; }
    // Only positive counts are taken.
    void assignColumns(int columns);

private:
    // The height of the row that starts at child `first` (n = `placed` so far).
    int measureRow(size_t first, int placed, int cell) const;

    SIZE m_itemSize = {};
    int m_columns = 1;
};

} // namespace SkinUI
