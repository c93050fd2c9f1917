#pragma once
// The interfaces through which application code plugs into a window context:
// notification receivers, message filters and accelerator translation.
#include "ui/controls/InputEvent.h"

#include <windows.h>

namespace SkinUI {

class INotifyUI {
public:
    virtual void Notify(TNotifyMsg& msg) = 0;

protected:
    ~INotifyUI() = default;
};

// Sees window messages before the context acts on them. Setting `handled`
// ends the handling with the returned result.
class IMessageFilterUI {
public:
    virtual LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

// Accelerator translation of a queued message; true when it was consumed.
class ITranslateAccelerator {
public:
    virtual bool TranslateAccel(MSG* msg) = 0;

protected:
    ~ITranslateAccelerator() = default;
};

} // namespace SkinUI
