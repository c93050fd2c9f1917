#pragma once
// Image attribute strings: either a bare image name ("image/bk.png") or
// key='value' pairs ("file='image/bk.png' dest='0,9,240,15' corner='4,4,4,4'").
#include "ui/core/gfx/image/ImageRecord.h"

#include <windows.h>

#include <string>

namespace SkinUI {

// What a control keeps per image attribute: the text, and once it was drawn,
// the parsed placement and the cached image it resolved to.
struct TImageDrawInfo {
    std::wstring source;               // the attribute text as written
    std::wstring imageName;            // the image's name after parsing
    TImageRecord* image = nullptr;     // borrowed from the image cache
    RECT dest = {};                    // offsets inside the control; all zero: the whole control
    RECT sourceRect = {};              // part of the image; all zero: the whole image
    RECT corner = {};                  // nine-grid border widths: left, top, right, bottom
    BYTE fade = 255;
    bool hole = false;
    bool xTiled = false;
    bool yTiled = false;
    bool parsed = false;               // parsing was attempted (a failed image is not retried)

    // Back to the defaults with new text, as when the attribute changes.
    void Reset(const std::wstring& text)
    {
        *this = TImageDrawInfo();
        source = text;
    }
};

// Everything an image attribute string can say.
struct TImageAttrKeys {
    std::wstring imageName;
    std::wstring resourceType; // set only when the image came from `res`
    RECT dest = {};
    RECT source = {};
    RECT corner = {};
    DWORD mask = 0;
    BYTE fade = 255;
    bool hole = false;
    bool xTiled = false;
    bool yTiled = false;
    bool hsl = false;
};

// Parses an attribute string. Pairs must be separated by one space (more
// whitespace may follow it); any other separator ends the parse. Unknown keys
// and empty values are ignored; a text without pairs is the image name.
TImageAttrKeys ParseImageAttr(const std::wstring& text);

} // namespace SkinUI
