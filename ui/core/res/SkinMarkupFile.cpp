// Loading markup by skin file name: the bytes come from the skin sources.
#include "ui/core/res/SkinMarkup.h"
#include "ui/core/res/SkinSource.h"

namespace SkinUI {

bool CSkinMarkup::LoadFile(const std::wstring& name, int encoding)
{
    Discard();
    TByteBlock bytes;
    const wchar_t* error = nullptr;
    if (!ReadSkinMarkupBytes(name, bytes, error)) {
        SetError(error, nullptr);
        return false;
    }
    return LoadBytes(bytes.data(), bytes.size(), encoding);
}

} // namespace SkinUI
