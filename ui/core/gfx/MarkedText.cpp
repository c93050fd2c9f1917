// Inline-markup text: runs of text in changing fonts and colours, links,
// inline images and line control, laid out line by line and then drawn.
#include "ui/core/gfx/RenderKit.h"

#include "ui/core/res/LanguageText.h"
#include "ui/core/gfx/MarkedTextTokens.h"
#include "ui/core/res/ValueText.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <sstream>
#include <vector>

namespace SkinUI {

namespace {

// Font variants created for markup get indexes from here, far above the skin's own.
int NextVariantFontIndex()
{
    static int next = 10000;
    return next++;
}

struct TFontShape {
    std::wstring face;
    int size = 0;
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

TFontShape ShapeOf(HFONT font)
{
    LOGFONTW description = {};
    TFontShape shape;
    if (::GetObjectW(font, sizeof(description), &description) == 0)
        return shape;
    shape.face = description.lfFaceName;
    shape.size = std::abs(description.lfHeight);
    shape.bold = description.lfWeight >= FW_BOLD;
    shape.underline = description.lfUnderline != 0;
    shape.italic = description.lfItalic != 0;
    return shape;
}

// A piece of a line: a run of text in one style, or an inline image.
struct TPiece {
    std::wstring text;
    HFONT font = nullptr;
    COLORREF colour = 0;
    int offset = 0;       // vertical shift of the run
    bool selected = false;
    int link = -1;        // slot of the link it belongs to
    const TImageRecord* image = nullptr;
    RECT source = {};
    BYTE fade = 255;
    int x = 0;            // relative to the rectangle's left edge
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

struct TLine {
    std::vector<TPiece> pieces;
    int top = 0;          // relative to the rectangle's top edge
    int height = 0;
    int baseline = 0;
    int width = 0;
    int fixedHeight = 0;  // set by <y N> while the line was filled
};

class CMarkedTextPainter {
public:
    CMarkedTextPainter(HDC dc, IRenderResourcesUI* context, const RECT& rect, UINT format, DWORD argb, RECT* links,
                       int linkCapacity)
        : m_dc(dc), m_context(context), m_rect(rect), m_format(format), m_links(links),
          m_linkCapacity(std::max(0, linkCapacity))
    {
        m_singleLine = (format & DT_SINGLELINE) != 0;
        m_measureOnly = (format & DT_CALCRECT) != 0;
        m_maxWidth = rect.right - rect.left;
        HFONT base = context->FontByIndex(-1);
        m_fonts.push_back(base ? base : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        m_colours.push_back(ArgbToColorRef(argb));
        m_offsets.push_back(0);
        m_lineHeights.push_back(0);
        m_lines.emplace_back();
    }

    void Layout(const std::vector<TMarkToken>& tokens, std::wstring* linkTexts)
    {
        for (const TMarkToken& token : tokens) {
            if (m_stopped)
                break;
            if (token.kind == TMarkToken::Text)
                AddText(token.text);
            else if (token.kind == TMarkToken::Open)
                OpenTag(token.tag, token.text, linkTexts);
            else
                CloseTag(token.tag);
        }
        FinishLine();
    }

    // Shifts single lines for horizontal alignment and single-line text for vertical alignment.
    void Align()
    {
        if (m_measureOnly)
            return;
        const int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
        if (m_lines.size() == 1 && (m_format & (DT_CENTER | DT_RIGHT))) {
            const int room = width - m_lines[0].width;
            const int shift = (m_format & DT_CENTER) ? room / 2 : room;
            if (shift > 0)
                for (TPiece& piece : m_lines[0].pieces)
                    piece.x += shift;
        }
        if (m_singleLine && (m_format & (DT_VCENTER | DT_BOTTOM))) {
            const int room = height - TotalHeight();
            const int shift = (m_format & DT_VCENTER) ? room / 2 : room;
            if (shift > 0)
                for (TLine& line : m_lines)
                    line.top += shift;
        }
    }

    void Draw()
    {
        const COLORREF selectedBack = ArgbToColorRef(m_context->SelectedBackColour());
        const int previousMode = ::SetBkMode(m_dc, TRANSPARENT);
        const COLORREF previousColour = ::GetTextColor(m_dc);
        for (const TLine& line : m_lines) {
            const int lineTop = m_rect.top + line.top;
            for (const TPiece& piece : line.pieces) {
                const int left = m_rect.left + piece.x;
                const int top = lineTop + line.baseline - piece.ascent + piece.offset;
                if (piece.selected) {
                    const RECT back = {left, lineTop, left + piece.width, lineTop + line.height};
                    const COLORREF previousBack = ::SetBkColor(m_dc, selectedBack);
                    ::ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &back, nullptr, 0, nullptr);
                    ::SetBkColor(m_dc, previousBack);
                }
                if (piece.image) {
                    const RECT dest = {left, top, left + piece.width, top + piece.ascent};
                    CRenderKit::BlitNineGrid(m_dc, piece.image->bitmap.Get(), dest, dest, piece.source, RECT{},
                                             piece.image->hasAlpha, piece.fade);
                    continue;
                }
                CSelectObject selectFont(m_dc, piece.font);
                ::SetTextColor(m_dc, piece.colour);
                ::ExtTextOutW(m_dc, left, top, 0, nullptr, piece.text.c_str(), UINT(piece.text.size()), nullptr);
            }
        }
        ::SetTextColor(m_dc, previousColour);
        ::SetBkMode(m_dc, previousMode);
    }

    // The rectangles of the links, in the order they were opened.
    int RecordLinks()
    {
        const int count = std::min(m_linkSlots, m_linkCapacity);
        for (int slot = 0; slot < count; ++slot) {
            RECT bounds = {};
            for (const TLine& line : m_lines)
                for (const TPiece& piece : line.pieces)
                    if (piece.link == slot) {
                        const RECT area = {m_rect.left + piece.x, m_rect.top + line.top,
                                           m_rect.left + piece.x + piece.width, m_rect.top + line.top + line.height};
                        ::UnionRect(&bounds, &bounds, &area);
                    }
            m_links[slot] = bounds;
        }
        return count;
    }

    int TotalHeight() const { return m_lines.empty() ? 0 : m_lines.back().top + m_lines.back().height; }
    int MaxLineWidth() const
    {
        int width = 0;
        for (const TLine& line : m_lines)
            width = std::max(width, line.width);
        return width;
    }

private:
    HFONT Font() const { return m_fonts.back(); }

    TEXTMETRICW Metrics(HFONT font) const
    {
        CSelectObject selectFont(m_dc, font);
        TEXTMETRICW metrics = {};
        ::GetTextMetricsW(m_dc, &metrics);
        return metrics;
    }

    int TextWidth(const std::wstring& text, HFONT font) const
    {
        CSelectObject selectFont(m_dc, font);
        SIZE size = {};
        ::GetTextExtentPoint32W(m_dc, text.c_str(), int(text.size()), &size);
        return size.cx;
    }

    // How many leading characters of `text` fit in `room` pixels.
    size_t FitCount(const std::wstring& text, int room) const
    {
        if (room <= 0 || text.empty())
            return 0;
        CSelectObject selectFont(m_dc, Font());
        int fit = 0;
        SIZE size = {};
        if (!::GetTextExtentExPointW(m_dc, text.c_str(), int(text.size()), room, &fit, nullptr, &size))
            return 0;
        return size_t(std::clamp(fit, 0, int(text.size())));
    }

    TLine& Line() { return m_lines.back(); }

    // Whether text may continue on a new line: never for single-line text,
    // always while measuring, else while another line fits below this one.
    bool CanWrap() const
    {
        if (m_singleLine)
            return false;
        if (m_measureOnly)
            return true;
        const TLine& line = m_lines.back();
        const int fontHeight = Metrics(Font()).tmHeight;
        const int current = std::max({line.height, LineHeightSoFar(line), fontHeight});
        return line.top + current + fontHeight <= m_rect.bottom - m_rect.top;
    }

    // Room above and below the baseline. A run shifted down by <o N> needs more
    // below it, one shifted up more above; the others keep their place.
    static void LineExtent(const TLine& line, int& ascent, int& descent)
    {
        for (const TPiece& piece : line.pieces) {
            ascent = std::max(ascent, piece.ascent - std::min(0, piece.offset));
            descent = std::max(descent, piece.descent + std::max(0, piece.offset));
        }
    }

    int LineHeightSoFar(const TLine& line) const
    {
        int ascent = 0, descent = 0;
        LineExtent(line, ascent, descent);
        return ascent + descent;
    }

    void Place(TPiece piece)
    {
        piece.x = m_x;
        m_x += piece.width;
        Line().pieces.push_back(std::move(piece));
    }

    TPiece StyledPiece(const std::wstring& text) const
    {
        TPiece piece;
        piece.text = text;
        piece.font = Font();
        piece.colour = m_colours.back();
        piece.offset = m_offsets.back();
        piece.selected = m_selected > 0;
        piece.link = m_activeLink;
        const TEXTMETRICW metrics = Metrics(piece.font);
        piece.ascent = metrics.tmAscent;
        piece.descent = metrics.tmDescent;
        piece.width = TextWidth(text, piece.font);
        return piece;
    }

    void FinishLine()
    {
        TLine& line = Line();
        int ascent = 0, descent = 0;
        LineExtent(line, ascent, descent);
        if (line.pieces.empty()) {
            const TEXTMETRICW metrics = Metrics(Font());
            ascent = metrics.tmAscent;
            descent = metrics.tmDescent;
        }
        line.baseline = ascent;
        line.height = ascent + descent;
        if (const int fixed = line.fixedHeight; fixed > 0) {
            line.baseline += (fixed - line.height) / 2;
            line.height = fixed;
        }
        line.width = m_x;
    }

    void NewLine(int extraSpacing)
    {
        FinishLine();
        const int top = Line().top + Line().height + std::max(0, extraSpacing);
        if (!m_measureOnly && top >= m_rect.bottom - m_rect.top) {
            m_stopped = true; // nothing more would be visible; this line stays the last
            return;
        }
        m_x = 0;
        m_lines.emplace_back();
        Line().top = top;
        Line().fixedHeight = m_lineHeights.back();
    }

    void AddText(const std::wstring& text)
    {
        size_t start = 0;
        while (start <= text.size() && !m_stopped) {
            size_t end = text.find(L'\n', start);
            std::wstring segment = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
            segment.erase(std::remove(segment.begin(), segment.end(), L'\r'), segment.end());
            AddSegment(segment);
            if (end == std::wstring::npos)
                break;
            if (!m_singleLine && !m_stopped)
                NewLine(0);
            start = end + 1;
        }
    }

    void AddSegment(std::wstring remaining)
    {
        while (!remaining.empty() && !m_stopped) {
            const int room = m_maxWidth - m_x;
            const size_t fit = FitCount(remaining, room);
            if (fit >= remaining.size() || (m_measureOnly && m_singleLine)) {
                Place(StyledPiece(remaining));
                return;
            }
            if (CanWrap()) {
                size_t cut = remaining.rfind(L' ', fit);
                if (cut != std::wstring::npos && cut > 0) {
                    Place(StyledPiece(remaining.substr(0, cut)));
                    remaining.erase(0, cut + 1);
                } else if (m_x == 0 || Line().pieces.empty()) {
                    const size_t take = std::max<size_t>(fit, 1);
                    Place(StyledPiece(remaining.substr(0, take)));
                    remaining.erase(0, take);
                }
                NewLine(0);
                const size_t firstVisible = remaining.find_first_not_of(L' ');
                remaining.erase(0, firstVisible == std::wstring::npos ? remaining.size() : firstVisible);
                continue;
            }
            if (m_measureOnly) {
                Place(StyledPiece(remaining));
                return;
            }
            // The last visible line: cut the text and end it with an ellipsis.
            const int ellipsis = TextWidth(L"...", Font());
            const size_t keep = FitCount(remaining, room - ellipsis);
            Place(StyledPiece(remaining.substr(0, keep) + L"..."));
            m_stopped = true;
        }
    }

    void AddImage(const TImageRecord* image, RECT source, BYTE fade)
    {
        if (!image)
            return;
        source.right = std::min<LONG>(source.right, image->width);
        source.bottom = std::min<LONG>(source.bottom, image->height);
        source.left = std::clamp<LONG>(source.left, 0, source.right);
        source.top = std::clamp<LONG>(source.top, 0, source.bottom);
        TPiece piece;
        piece.image = image;
        piece.source = source;
        piece.fade = fade;
        piece.width = source.right - source.left;
        piece.ascent = source.bottom - source.top;
        piece.offset = m_offsets.back();
        piece.selected = m_selected > 0;
        piece.link = m_activeLink;
        if (piece.width <= 0 || piece.ascent <= 0)
            return;
        if (!m_singleLine && m_x > 0 && m_x + piece.width > m_maxWidth && CanWrap())
            NewLine(0);
        if (!m_stopped)
            Place(std::move(piece));
    }

    void AddInlineImage(const std::wstring& argument)
    {
        if (argument.find(L'=') != std::wstring::npos) {
            const TImageAttrKeys keys = ParseImageAttr(argument);
            const TImageRecord* image =
                m_context->LookupOrCacheImage(keys.imageName, keys.resourceType, keys.mask, keys.hsl);
            if (!image)
                return;
            RECT source = keys.source;
            if (source.left == 0 && source.top == 0 && source.right == 0 && source.bottom == 0)
                source = RECT{0, 0, image->width, image->height};
            AddImage(image, source, keys.fade);
            return;
        }
        // "name count index": frame `index` of a strip of `count` equal frames side by side.
        std::wistringstream words(argument);
        std::wstring name;
        long count = 1, index = 0;
        words >> name >> count >> index;
        if (name.empty())
            return;
        count = std::clamp<long>(count, 1, 1000);
        index = std::clamp<long>(index, 0, count - 1);
        const TImageRecord* image = m_context->LookupOrCacheImage(name, std::wstring(), 0, false);
        if (!image)
            return;
        const LONG frame = image->width / count;
        AddImage(image, RECT{frame * index, 0, frame * (index + 1), image->height}, 255);
    }

    HFONT Variant(TFontShape shape) const
    {
        const int index = m_context->FindFontIndex(shape.face, shape.size, shape.bold, shape.underline, shape.italic);
        if (index >= 0)
            return m_context->FontByIndex(index);
        HFONT font = m_context->AddFontEntry(NextVariantFontIndex(), shape.face, shape.size, shape.bold,
                                             shape.underline, shape.italic, false);
        return font ? font : Font();
    }

    HFONT FontFromArgument(const std::wstring& argument) const
    {
        std::wistringstream words(argument);
        std::wstring first;
        words >> first;
        if (!first.empty() && std::all_of(first.begin(), first.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
            return m_context->FontByIndex(int(std::wcstol(first.c_str(), nullptr, 10)));
        if (first.empty())
            return Font();
        TFontShape shape;
        shape.face = first;
        shape.size = 10;
        std::wstring word;
        if (words >> word) {
            wchar_t* end = nullptr;
            const long size = std::wcstol(word.c_str(), &end, 10);
            if (end && *end == L'\0' && size > 0 && size < 1000)
                shape.size = int(size);
            const std::wstring rest = word + L" " + std::wstring(std::istreambuf_iterator<wchar_t>(words), {});
            shape.bold = rest.find(L"bold") != std::wstring::npos;
            shape.underline = rest.find(L"underline") != std::wstring::npos;
            shape.italic = rest.find(L"italic") != std::wstring::npos;
        }
        return Variant(shape);
    }

    static int Number(const std::wstring& argument) { return int(std::wcstol(argument.c_str(), nullptr, 10)); }

    template <typename T>
    static void Pop(std::vector<T>& stack)
    {
        if (stack.size() > 1) // the starting value always stays
            stack.pop_back();
    }

    void OpenTag(wchar_t tag, const std::wstring& argument, std::wstring* linkTexts)
    {
        switch (tag) {
        case L'a': {
            const int slot = m_linkSlots++;
            bool hovered = false;
            if (slot < m_linkCapacity) {
                if (linkTexts)
                    linkTexts[slot] = argument;
                const POINT mouse = m_context->LastMouse();
                hovered = ::PtInRect(&m_links[slot], mouse) != FALSE;
            }
            m_activeLink = slot;
            m_colours.push_back(
                ArgbToColorRef(hovered ? m_context->LinkHoverColour() : m_context->LinkColour()));
            TFontShape shape = ShapeOf(Font());
            shape.underline = true;
            m_fonts.push_back(Variant(shape));
            break;
        }
        case L'b': {
            TFontShape shape = ShapeOf(Font());
            shape.bold = true;
            m_fonts.push_back(Variant(shape));
            break;
        }
        case L'u': {
            TFontShape shape = ShapeOf(Font());
            shape.underline = true;
            m_fonts.push_back(Variant(shape));
            break;
        }
        case L'c':
            m_colours.push_back(ArgbToColorRef(ParseColourText(argument)));
            break;
        case L'f':
            m_fonts.push_back(FontFromArgument(argument));
            break;
        case L'i':
            AddInlineImage(argument);
            break;
        case L'n':
            if (!m_singleLine)
                NewLine(0);
            break;
        case L'o':
            m_offsets.push_back(Number(argument));
            break;
        case L'p':
            if (!m_singleLine)
                NewLine(Number(argument));
            break;
        case L's':
            ++m_selected;
            break;
        case L'x':
            m_x = std::clamp(m_x + Number(argument), 0, std::max(0, m_maxWidth));
            break;
        case L'y':
            m_lineHeights.push_back(std::max(0, Number(argument)));
            Line().fixedHeight = m_lineHeights.back();
            break;
        default: // r is handled by the tokenizer; other letters mean nothing
            break;
        }
    }

    void CloseTag(wchar_t tag)
    {
        switch (tag) {
        case L'a':
            m_activeLink = -1;
            Pop(m_colours);
            Pop(m_fonts);
            break;
        case L'b':
        case L'u':
        case L'f':
            Pop(m_fonts);
            break;
        case L'c':
            Pop(m_colours);
            break;
        case L'o':
            Pop(m_offsets);
            break;
        case L'y':
            Pop(m_lineHeights);
            break;
        case L's':
            m_selected = std::max(0, m_selected - 1);
            break;
        default:
            break;
        }
    }

    HDC m_dc;
    IRenderResourcesUI* m_context;
    RECT m_rect;
    UINT m_format;
    RECT* m_links;
    int m_linkCapacity;
    bool m_singleLine = false;
    bool m_measureOnly = false;
    bool m_stopped = false;
    int m_maxWidth = 0;
    int m_x = 0;
    int m_selected = 0;
    int m_activeLink = -1;
    int m_linkSlots = 0;
    std::vector<HFONT> m_fonts;
    std::vector<COLORREF> m_colours;
    std::vector<int> m_offsets;
    std::vector<int> m_lineHeights;
    std::vector<TLine> m_lines;
};

} // namespace

void CRenderKit::PaintMarkedText(HDC dc, IRenderResourcesUI* context, RECT& rect, const std::wstring& text,
                                 DWORD argb, RECT* links, std::wstring* linkTexts, int& linkCount, UINT format)
{
    const int capacity = links ? linkCount : 0;
    linkCount = 0;
    if (!dc || !context)
        return;
    const std::wstring shown = SubstituteLanguageTexts(
        text, [context](const std::wstring& id, std::wstring& value) { return context->LanguageText(id, value); });

    CMarkedTextPainter painter(dc, context, rect, format, argb, links, capacity);
    painter.Layout(TokenizeMarkedText(shown), linkTexts);
    if (format & DT_CALCRECT) {
        rect.right = rect.left + painter.MaxLineWidth();
        rect.bottom = rect.top + painter.TotalHeight();
        return;
    }
    painter.Align();
    linkCount = painter.RecordLinks();

    CClipScope clip;
    if (!(format & DT_NOCLIP))
        clip.Begin(dc, rect);
    painter.Draw();
}

} // namespace SkinUI
