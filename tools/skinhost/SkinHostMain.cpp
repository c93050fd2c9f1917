// Opens one skinned window from the skin source named on the command line
// and writes what it got into a result file:
//   orvane_skinhost <zipresource|resource|missingzip|broken> <result file>
// "broken" never writes: its skin cannot be built, so the process shows the
// failure box and ends with exit code 1.
#include "ui/controls/ControlUI.h"
#include "ui/core/build/WindowImplBase.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class CHostWindow : public SkinUI::WindowImplBase {
public:
    CHostWindow(SkinUI::ESkinSourceKind kind, std::wstring entry, std::wstring resourceId)
        : m_kind(kind), m_entry(std::move(entry)), m_resourceId(std::move(resourceId))
    {
    }
    const wchar_t* RegisteredClassName() const override { return L"OrvaneSkinHostWnd"; }
    std::wstring SkinSubfolder() const override { return L"skin\\"; }
    std::wstring SkinEntryName() const override { return m_entry; }
    SkinUI::ESkinSourceKind SkinSourceKind() const override { return m_kind; }
    std::wstring SkinResourceId() const override { return m_resourceId; }

private:
    SkinUI::ESkinSourceKind m_kind;
    std::wstring m_entry;
    std::wstring m_resourceId;
};

bool WriteResult(const std::wstring& path, const std::wstring& text)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    int length = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length > 0 ? length : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], length, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size() - 1, file);
    fclose(file);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    std::wstring mode = argv[1];
    SkinUI::CWindowContextUI::SetAppModule(::GetModuleHandleW(nullptr));

    SkinUI::ESkinSourceKind kind = SkinUI::ESkinSourceKind::ZipResource;
    std::wstring entry = L"Host.xml";
    std::wstring resourceId = L"131";
    if (mode == L"resource") {
        kind = SkinUI::ESkinSourceKind::Resource;
        entry = L"1001";
    } else if (mode == L"missingzip") {
        resourceId = L"999";
    } else if (mode == L"broken") {
        // A control inside a control that holds no children.
        kind = SkinUI::ESkinSourceKind::File;
        entry = L"<Window><Control><Control /></Control></Window>";
    } else if (mode != L"zipresource") {
        return 2;
    }

    CHostWindow window(kind, entry, resourceId);
    if (!window.CreateNative(nullptr, L"SkinHost", WS_POPUP, 0, 0, 0, 200, 100))
        return 3;
    SkinUI::CWindowContextUI& context = window.Context();
    SkinUI::CControlUI* root = context.Root();
    SIZE start = context.StartSize();
    RECT bounds = {};
    ::GetWindowRect(window.Window(), &bounds);
    std::wstring result = L"root=" + (root ? root->controlName() : std::wstring(L"(none)")) +
                          L"\nstart=" + std::to_wstring(start.cx) + L"," + std::to_wstring(start.cy) +
                          L"\nsize=" + std::to_wstring(bounds.right - bounds.left) + L"," +
                          std::to_wstring(bounds.bottom - bounds.top) + L"\nzip=" +
                          SkinUI::CWindowContextUI::SkinZipName() + L"\n";
    return WriteResult(argv[2], result) ? 0 : 4;
}
