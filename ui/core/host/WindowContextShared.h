#pragma once
// The process-wide part of the window contexts: every bound context, the
// shared fonts and class defaults, the process base font, the default
// colours, the language texts and the dirty-frame pen.
#include "base/ScopedHandle.h"
#include "ui/core/gfx/FontTable.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace SkinUI {

class CWindowContextUI;

struct TDefaultColours {
    DWORD disabledText = 0xFFA7A6AA;
    DWORD text = 0xFF000000;
    DWORD link = 0xFF0000FF;
    DWORD linkHover = 0xFFD3215F;
    DWORD selectedBack = 0xFFBAE4FF;
};

struct TContextProcessState {
    std::vector<CWindowContextUI*> allContexts;
    CFontTable sharedFonts;
    TFontEntry baseFont;
    std::map<std::wstring, std::wstring> sharedClassDefaults;
    TDefaultColours colours;
    std::map<int, std::wstring> languageTexts;
    CPen dirtyPen;
    bool initialised = false;
};

TContextProcessState& ContextProcessState();

} // namespace SkinUI
