#include "ui/controls/ContextLink.h"

#include "ui/core/host/WindowContextUI.h"

namespace SkinUI {
namespace ContextLink {

void RepaintRect(CWindowContextUI* context, const RECT& rect)
{
    if (context)
        context->RepaintRect(rect);
}

void RequestLayout(CWindowContextUI* context)
{
    if (context)
        context->RequestLayout();
}

CControlUI* FocusedControl(CWindowContextUI* context) { return context ? context->FocusedControl() : nullptr; }

void FocusControl(CWindowContextUI* context, CControlUI* control)
{
    if (context)
        context->FocusControl(control);
}

void SendNotice(CWindowContextUI* context, CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam)
{
    if (context)
        context->SendNotice(sender, type, wParam, lParam, false);
}

void ForgetControl(CWindowContextUI* context, CControlUI* control)
{
    if (context)
        context->ForgetControl(control);
}

void UseVirtualRouting(CWindowContextUI* context)
{
    if (context)
        context->SetVirtualRouting(true);
}

bool RegisterTree(CWindowContextUI* context, CControlUI* control, CControlUI* parent)
{
    return context && context->RegisterTree(control, parent);
}

void DeleteLater(CWindowContextUI* context, CControlUI* control)
{
    if (context)
        context->DeleteLater(control);
}

void AddPostPainter(CWindowContextUI* context, CControlUI* control)
{
    if (context)
        context->AddPostPainter(control);
}

void RemovePostPainter(CWindowContextUI* context, CControlUI* control)
{
    if (context)
        context->RemovePostPainter(control);
}

std::wstring ClassDefaults(CWindowContextUI* context, const wchar_t* className)
{
    const std::wstring* list = context ? context->ClassDefaults(className) : nullptr;
    return list ? *list : std::wstring();
}

int BaseFontHeight(CWindowContextUI* context)
{
    if (!context)
        return 0;
    const TFontEntry* entry = context->FontEntryByIndex(-1);
    return entry ? entry->metrics.tmHeight : 0;
}

bool StartTimer(CWindowContextUI* context, CControlUI* control, UINT timerId, UINT elapseMs)
{
    return context && context->StartTimer(control, timerId, elapseMs);
}

void StopTimer(CWindowContextUI* context, CControlUI* control, UINT timerId)
{
    if (context)
        context->StopTimer(control, timerId);
}

IRenderResourcesUI* RenderResources(CWindowContextUI* context) { return context; }

} // namespace ContextLink
} // namespace SkinUI
