#pragma once
// The few window-context services the controls call, as free functions over a
// possibly null context: every call on a missing context does nothing (or
// answers the neutral value), so controls lay out and paint without a window.
#include "ui/core/gfx/ImageAttr.h"

#include <windows.h>

#include <string>

namespace SkinUI {

class CControlUI;
class CWindowContextUI;
class IRenderResourcesUI;

namespace ContextLink {

void RepaintRect(CWindowContextUI* context, const RECT& rect);
void RequestLayout(CWindowContextUI* context);
CControlUI* FocusedControl(CWindowContextUI* context);
void FocusControl(CWindowContextUI* context, CControlUI* control);
void SendNotice(CWindowContextUI* context, CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam);
void ForgetControl(CWindowContextUI* context, CControlUI* control);
void UseVirtualRouting(CWindowContextUI* context);
bool RegisterTree(CWindowContextUI* context, CControlUI* control, CControlUI* parent);
void DeleteLater(CWindowContextUI* context, CControlUI* control);
void AddPostPainter(CWindowContextUI* context, CControlUI* control);
void RemovePostPainter(CWindowContextUI* context, CControlUI* control);
// The class default attribute list; empty when there is none.
std::wstring ClassDefaults(CWindowContextUI* context, const wchar_t* className);
// Height of the base font in pixels; 0 without a context.
int BaseFontHeight(CWindowContextUI* context);
bool StartTimer(CWindowContextUI* context, CControlUI* control, UINT timerId, UINT elapseMs);
void StopTimer(CWindowContextUI* context, CControlUI* control, UINT timerId);
// The context as the render kit sees it; null without a context.
IRenderResourcesUI* RenderResources(CWindowContextUI* context);

} // namespace ContextLink
} // namespace SkinUI
