#include "tools/layoutreport/LayoutReport.h"

#include "ui/controls/ContainerUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/SequencePictureUI.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <typeinfo>

namespace LayoutReport {

namespace {

using SkinUI::CControlUI;

// "SkinUI::CButtonUI" rather than the compiler's mangled name.
std::wstring ClassName(const CControlUI& control)
{
    const char* mangled = typeid(control).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && readable ? readable.get() : mangled;
    return std::wstring(name.begin(), name.end());
}

std::wstring ControlLine(CControlUI& control, const std::wstring& name)
{
    return (name.empty() ? std::wstring(L"-") : name) + L"\t" + ClassName(control) + L"\t" +
           RectText(control.itemRect()) + L"\t" + (control.isShown() ? L"shown" : L"hidden") + L"\n";
}

std::wstring Flag(bool value) { return value ? L"1" : L"0"; }

// The state line of an animated picture, or nothing for other controls.
std::wstring StateLine(CControlUI& control)
{
    std::wstring head = L"state\t" + control.controlName() + L"\t";
    if (auto* gif = dynamic_cast<SkinUI::CGifAnimUI*>(&control))
        return head + L"frames=" + std::to_wstring(gif->FrameCount()) + L" next=" +
               std::to_wstring(gif->CurrentFrame()) + L" delay=" + std::to_wstring(gif->FrameDelay()) +
               L" playing=" + Flag(gif->IsPlaying()) + L"\n";
    if (auto* sequence = dynamic_cast<SkinUI::CSequencePictureUI*>(&control))
        return head + L"index=" + std::to_wstring(sequence->CurrentIndex()) + L" stopped=" +
               Flag(sequence->IsStopped()) + L" picture=" + sequence->readAttribute(L"bkimage") + L"\n";
    if (auto* rotate = dynamic_cast<SkinUI::CRotateAnimateUI*>(&control))
        return head + L"step=" + std::to_wstring(rotate->Step()) + L" stopped=" + Flag(rotate->IsStopped()) + L"\n";
    return std::wstring();
}

bool IsMoving(CControlUI& control)
{
    if (auto* gif = dynamic_cast<SkinUI::CGifAnimUI*>(&control))
        return gif->IsPlaying();
    if (auto* sequence = dynamic_cast<SkinUI::CSequencePictureUI*>(&control))
        return !sequence->IsStopped();
    if (auto* rotate = dynamic_cast<SkinUI::CRotateAnimateUI*>(&control))
        return !rotate->IsStopped();
    return false;
}

} // namespace

void VisitTree(CControlUI* control, const std::function<void(CControlUI&)>& visit)
{
    if (!control)
        return;
    visit(*control);
    auto* items = static_cast<SkinUI::IContainerUI*>(control->queryFacet(L"IContainer"));
    if (!items)
        return;
    for (int i = 0; i < items->itemCount(); ++i)
        VisitTree(items->itemAt(i), visit);
}

std::wstring RectText(const RECT& rect)
{
    return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," + std::to_wstring(rect.right) +
           L"," + std::to_wstring(rect.bottom);
}

bool WriteReportFile(const std::wstring& path, const std::wstring& text)
{
    int length = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &bytes[0], length, nullptr, nullptr);
    const std::wstring partial = path + L".partial";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (!file)
        return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = fclose(file) == 0 && written;
    return written && ::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::wstring DescribeTree(CControlUI* root)
{
    std::wstring report;
    VisitTree(root, [&report](CControlUI& control) {
        const std::wstring name = control.controlName();
        report += ControlLine(control, name);
        report += StateLine(control);
        if (auto* container = static_cast<SkinUI::CContainerUI*>(control.queryFacet(L"Container"))) {
            if (SkinUI::CScrollBarUI* bar = container->verticalBar())
                report += ControlLine(*bar, name + L".vbar");
            if (SkinUI::CScrollBarUI* bar = container->horizontalBar())
                report += ControlLine(*bar, name + L".hbar");
        }
    });
    return report;
}

bool AnimationsAtRest(CControlUI* root)
{
    bool moving = false;
    VisitTree(root, [&moving](CControlUI& control) { moving = moving || IsMoving(control); });
    return !moving;
}

} // namespace LayoutReport
