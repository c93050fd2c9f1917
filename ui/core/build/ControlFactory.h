#pragma once
// The class table of the skin builder: which control class an element name
// of the skin markup stands for, and how to make one.
#include <cstddef>

namespace SkinUI {

class CControlUI;

using ControlMaker = CControlUI* (*)();

struct TControlClass {
    const wchar_t* elementName; // as skins write it
    const wchar_t* className;   // the control class it stands for
    bool exactCase;             // true: the name must be written exactly so
    ControlMaker make;          // none while the class is not part of the build
};

// The table entry an element name matches, or none. Names are compared
// without regard to case except for the entries marked exactCase.
const TControlClass* FindControlClass(const wchar_t* elementName);

// A new control for the element name, or none for a name the table does not
// know or whose class is not built in.
CControlUI* CreateControlByElement(const wchar_t* elementName);

// Every entry, for tests and tools.
const TControlClass* ControlClassTable(size_t& count);

} // namespace SkinUI
