// Parse time of a large skin document: the in-place markup parser against
// TinyXML on the same text, in the same run.
#include "tools/bench/Bench.h"
#include "ui/core/res/SkinMarkup.h"

#include <tinyxml.h>

#include <string>

namespace {

// About 1 MB of skin markup built from the element kinds a real skin uses.
std::string LargeSkinDocument()
{
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"480,323\" caption=\"0,0,0,36\">\n";
    for (int i = 0; text.size() < 1000000; ++i) {
        const std::string n = std::to_string(i);
        text += "  <!-- row " + n + " -->\n"
                "  <HorizontalLayout name=\"row" + n + "\" height=\"36\" padding=\"8,4,8,4\" bkcolor=\"#FFF5F5F5\">\n"
                "    <Label name=\"label" + n + "\" text=\"Colour &amp; temperature " + n + "\" textcolor=\"#FF333333\" font=\"1\" autocalcwidth=\"true\"/>\n"
                "    <Button name=\"btn" + n + "\" normalimage=\"file='image/btn_normal.png' corner='4,4,4,4'\" hotimage=\"file='image/btn_hot.png'\" tooltip=\"&lt;click&gt;\">Text " + n + "</Button>\n"
                "    <Slider name=\"slider" + n + "\" min=\"0\" max=\"92\" value=\"46\" thumbsize=\"14,14\" bkimage=\"image/slider_bk.png\"/>\n"
                "  </HorizontalLayout>\n";
    }
    text += "</Window>\n";
    return text;
}

std::wstring Widen(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

REGISTER_BENCH("markup", [] {
    const std::string utf8 = LargeSkinDocument();
    const std::wstring wide = Widen(utf8);
    bool ok = true;

    const double markupBytes = Bench::TimePerCall([&] {
        SkinUI::CSkinMarkup markup;
        ok &= markup.LoadBytes(utf8.data(), utf8.size(), SkinUI::CSkinMarkup::kUtf8);
    });
    const double markupText = Bench::TimePerCall([&] {
        SkinUI::CSkinMarkup markup;
        ok &= markup.LoadText(wide.c_str());
    });
    const double tinyXml = Bench::TimePerCall([&] {
        TiXmlDocument document;
        document.Parse(utf8.c_str(), nullptr, TIXML_ENCODING_UTF8);
        ok &= !document.Error();
    });

    Bench::Report("document size", double(utf8.size()) / 1e6, "MB");
    Bench::Report("CSkinMarkup::LoadBytes (UTF-8 conversion + parse)", markupBytes * 1e3, "ms");
    Bench::Report("CSkinMarkup::LoadText (copy + parse)", markupText * 1e3, "ms");
    Bench::Report("TiXmlDocument::Parse", tinyXml * 1e3, "ms");
    Bench::Report("LoadBytes time / TinyXML time", markupBytes / tinyXml, "ratio");
    Bench::Report("LoadText time / TinyXML time", markupText / tinyXml, "ratio");
    if (!ok)
        std::printf("  a parse failed\n");
});

} // namespace
