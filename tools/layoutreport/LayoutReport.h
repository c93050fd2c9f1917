#pragma once
// Text reports of a control tree, for tests that look at a window from the
// outside: where every control was placed, and whether the animated
// pictures have come to rest.
#include "ui/controls/ControlUI.h"

#include <functional>
#include <string>

namespace LayoutReport {

// One line per control, depth first, parents before children:
//   name <TAB> class <TAB> left,top,right,bottom <TAB> shown|hidden
// A container's scroll bars follow it as "<name>.vbar" and "<name>.hbar";
// controls without a name are listed as "-". Animated pictures add a line
//   state <TAB> name <TAB> key=value ...
std::wstring DescribeTree(SkinUI::CControlUI* root);

// True when no animated picture of the tree is still moving.
bool AnimationsAtRest(SkinUI::CControlUI* root);

// Every control of the tree, depth first, parents before children.
void VisitTree(SkinUI::CControlUI* root, const std::function<void(SkinUI::CControlUI&)>& visit);

// "left,top,right,bottom".
std::wstring RectText(const RECT& rect);

// Writes the report as UTF-8, under another name first and then renamed, so
// a reader never sees half a report.
bool WriteReportFile(const std::wstring& path, const std::wstring& text);

} // namespace LayoutReport
