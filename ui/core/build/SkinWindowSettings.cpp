#include "ui/core/build/SkinWindowSettings.h"

#include "ui/core/res/ValueText.h"
#include "ui/core/host/WindowContextUI.h"

#include <climits>
#include <cwchar>
#include <string>

namespace SkinUI {

namespace {

bool SameNoCase(const wchar_t* a, const wchar_t* b)
{
    return a && b && _wcsicmp(a, b) == 0;
}

bool IsTrueNoCase(const wchar_t* value)
{
    return SameNoCase(value, L"true");
}

// Resource elements name their attributes in any case; the first match wins.
const wchar_t* AttrNoCase(const CSkinNode& node, const wchar_t* name)
{
    for (int i = 0; i < node.AttrCount(); ++i) {
        if (SameNoCase(node.AttrNameAt(i), name))
            return node.AttrValueAt(i);
    }
    return nullptr;
}

bool HasText(const wchar_t* value)
{
    return value && *value;
}

void ApplyImage(const CSkinNode& node, CWindowContextUI& context)
{
    const wchar_t* name = AttrNoCase(node, L"name");
    if (!HasText(name))
        return;
    const wchar_t* resourceType = AttrNoCase(node, L"restype");
    DWORD mask = ParseColourText(AttrNoCase(node, L"mask"));
    context.CacheImage(name, resourceType ? resourceType : L"", mask, false, IsTrueNoCase(AttrNoCase(node, L"shared")));
}

void ApplyFont(const CSkinNode& node, CWindowContextUI& context)
{
    int id = ParseDecimalText(AttrNoCase(node, L"id"), -1);
    const wchar_t* face = AttrNoCase(node, L"name");
    if (id < 0 || !HasText(face))
        return;
    int size = ParseDecimalText(AttrNoCase(node, L"size"), 12);
    bool bold = IsTrueNoCase(AttrNoCase(node, L"bold"));
    bool underline = IsTrueNoCase(AttrNoCase(node, L"underline"));
    bool italic = IsTrueNoCase(AttrNoCase(node, L"italic"));
    bool shared = IsTrueNoCase(AttrNoCase(node, L"shared"));
    context.AddFontEntry(id, face, size, bold, underline, italic, shared);
    if (IsTrueNoCase(AttrNoCase(node, L"default")))
        context.SetBaseFont(face, size, bold, underline, italic, shared);
}

void ApplyDefault(const CSkinNode& node, CWindowContextUI& context)
{
    const wchar_t* name = AttrNoCase(node, L"name");
    if (!HasText(name))
        return;
    const wchar_t* value = AttrNoCase(node, L"value");
    context.SetClassDefaults(name, value ? value : L"", IsTrueNoCase(AttrNoCase(node, L"shared")));
}

void ApplyMultiLanguage(const CSkinNode& node)
{
    int id = ParseDecimalText(AttrNoCase(node, L"id"), -1);
    const wchar_t* value = AttrNoCase(node, L"value");
    if (id >= 0 && value)
        CWindowContextUI::SetLanguageText(id, value);
}

// The window settings of the first group, whose names and flags skins write in any case.
bool ApplyWindowSetting(CWindowContextUI& context, const wchar_t* name, const wchar_t* value)
{
    if (SameNoCase(name, L"size")) {
        SIZE size = ParseSizeText(value);
        context.SetStartSize(size.cx, size.cy);
    } else if (SameNoCase(name, L"sizebox")) {
        context.SetResizeBorder(ParseRectText(value));
    } else if (SameNoCase(name, L"caption")) {
        context.SetCaptionArea(ParseRectText(value));
    } else if (SameNoCase(name, L"roundcorner")) {
        SIZE corner = ParseSizeText(value);
        context.SetCornerRound(corner.cx, corner.cy);
    } else if (SameNoCase(name, L"mininfo")) {
        SIZE size = ParseSizeText(value);
        context.SetMinTrack(size.cx, size.cy);
    } else if (SameNoCase(name, L"maxinfo")) {
        SIZE size = ParseSizeText(value);
        context.SetMaxTrack(size.cx, size.cy);
    } else if (SameNoCase(name, L"showdirty")) {
        context.SetShowDirty(IsTrueNoCase(value));
    } else if (SameNoCase(name, L"alpha")) {
        context.SetWindowAlpha(ParseDecimalText(value, 0));
    } else if (SameNoCase(name, L"bktrans")) {
        context.SetOwnerBackdrop(IsTrueNoCase(value));
    } else if (SameNoCase(name, L"disabledfontcolor")) {
        context.SetDisabledTextColour(ParseColourText(value));
    } else if (SameNoCase(name, L"defaultfontcolor")) {
        context.SetDefaultTextColour(ParseColourText(value));
    } else if (SameNoCase(name, L"linkfontcolor")) {
        context.SetLinkColour(ParseColourText(value));
    } else if (SameNoCase(name, L"linkhoverfontcolor")) {
        context.SetLinkHoverColour(ParseColourText(value));
    } else if (SameNoCase(name, L"selectedcolor")) {
        context.SetSelectedBackColour(ParseColourText(value));
    } else {
        return false;
    }
    return true;
}

// The shadow and the later settings, whose names and flags must be written exactly.
void ApplyShadowSetting(CWindowContextUI& context, const std::wstring& name, const wchar_t* value)
{
    CShadowUI& shadow = context.Shadow();
    if (name == L"shadowsize") {
        shadow.SetSpread(ParseDecimalText(value, 0));
    } else if (name == L"shadowsharpness") {
        shadow.SetEdgeSoftness(ParseDecimalText(value, 0));
    } else if (name == L"shadowdarkness") {
        shadow.SetOpacityLevel(ParseDecimalText(value, 0));
    } else if (name == L"shadowposition") {
        SIZE offset = ParseSizeText(value);
        shadow.SetOffset(offset.cx, offset.cy);
    } else if (name == L"shadowcolor") {
        shadow.SetColour(ParseColourText(value));
    } else if (name == L"shadowcorner") {
        RECT corner = ParseRectText(value);
        shadow.SetCorner(corner.left, corner.top, corner.right, corner.bottom);
    } else if (name == L"shadowimage") {
        shadow.UseImage(value);
    } else if (name == L"showshadow") {
        shadow.Show(ParseFlagText(value));
    } else if (name == L"animateimage") {
        context.SetAnimateImage(value);
    } else if (name == L"moveparentwnd") {
        context.SetDragParent(ParseFlagText(value));
    } else if (name == L"alphabktrans") {
        context.SetLayeredPaint(ParseFlagText(value));
    }
}

} // namespace

int ParseDecimalText(const wchar_t* text, int fallback)
{
    if (!text || !*text)
        return fallback;
    long long value = std::wcstoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool IsResourceElement(const wchar_t* elementName)
{
    return SameNoCase(elementName, L"Image") || SameNoCase(elementName, L"Font") ||
           SameNoCase(elementName, L"Default") || SameNoCase(elementName, L"MultiLanguage");
}

void ApplyResourceElement(const CSkinNode& node, CWindowContextUI& context)
{
    const wchar_t* name = node.Name();
    if (SameNoCase(name, L"Image"))
        ApplyImage(node, context);
    else if (SameNoCase(name, L"Font"))
        ApplyFont(node, context);
    else if (SameNoCase(name, L"Default"))
        ApplyDefault(node, context);
    else if (SameNoCase(name, L"MultiLanguage"))
        ApplyMultiLanguage(node);
}

void ApplyWindowAttribute(CWindowContextUI& context, const wchar_t* name, const wchar_t* value)
{
    if (!name || !value)
        return;
    if (!ApplyWindowSetting(context, name, value))
        ApplyShadowSetting(context, name, value);
}

} // namespace SkinUI
