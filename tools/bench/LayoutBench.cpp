// Layout and paint figures of the control tree: a full relayout plus a full
// repaint into a 32-bit DIB per frame, for a tree the size of the tool's
// window and for a large tree of 1,000 controls in nested layouts.
#include "tools/bench/Bench.h"

#include "base/ScopedHandle.h"
#include "ui/controls/ControlUI.h"
#include "ui/controls/layout/HorizontalLayoutUI.h"
#include "ui/controls/layout/VerticalLayoutUI.h"
#include "ui/core/gfx/image/DibSection.h"

#include <memory>

using namespace SkinUI;

namespace {

constexpr double kFrameBudgetMs = 1000.0 / 60.0;

CControlUI* Leaf(const wchar_t* attributes)
{
    auto* control = new CControlUI();
    control->applyAttributeList(attributes);
    return control;
}

CHorizontalLayoutUI* Row(const wchar_t* attributes)
{
    auto* row = new CHorizontalLayoutUI();
    row->applyAttributeList(attributes);
    return row;
}

// The main window's shape: title bar, banner, and a content area with a
// picture and a column of rows holding labels, a check box, a button, a
// slider-sized control and the scale labels. Labels and buttons are stood in
// for by plain controls with their sizes, colours and borders.
CControlUI* WindowSizedTree(int& count)
{
    auto* root = new CVerticalLayoutUI();
    root->applyAttributeList(L"bkcolor=\"#FF355FE4\"");
    auto* title = Row(L"height=\"33\"");
    title->addItem(Leaf(L"width=\"16\" height=\"18\" padding=\"14,8,0,0\" bkcolor=\"#FFFFFFFF\""));
    title->addItem(Leaf(L"width=\"60\" padding=\"8,0,0,0\""));
    title->addItem(Leaf(L""));
    title->addItem(Leaf(L"width=\"22\" height=\"22\" padding=\"0,6,4,0\" bkcolor=\"#33FFFFFF\""));
    title->addItem(Leaf(L"width=\"22\" height=\"22\" padding=\"0,6,8,0\" bkcolor=\"#33FFFFFF\""));
    root->addItem(title);
    auto* banner = Row(L"height=\"67\"");
    banner->addItem(Leaf(L"width=\"270\" padding=\"30,0,0,6\""));
    banner->addItem(Leaf(L""));
    root->addItem(banner);

    auto* content = Row(L"bkcolor=\"#FFFFFFFF\"");
    content->addItem(Leaf(L"width=\"148\" height=\"107\" padding=\"30,50,0,0\" bkcolor=\"#FFE8ECF5\""));
    auto* column = new CVerticalLayoutUI();
    column->applyAttributeList(L"width=\"240\" padding=\"32,0,0,0\"");
    auto* modeRow = Row(L"height=\"24\" padding=\"0,20,0,0\"");
    modeRow->addItem(Leaf(L"width=\"64\""));
    modeRow->addItem(Leaf(L""));
    modeRow->addItem(Leaf(L"width=\"36\" height=\"16\" padding=\"0,4,0,0\" bkcolor=\"#FF355FE4\" borderround=\"8,8\""));
    column->addItem(modeRow);
    column->addItem(Leaf(L"height=\"20\" padding=\"0,4,0,0\""));
    column->addItem(Leaf(L"height=\"1\" padding=\"0,14,0,0\" bkcolor=\"#4CC7CDDD\""));
    auto* tempRow = Row(L"height=\"24\" padding=\"0,14,0,0\"");
    tempRow->addItem(Leaf(L"width=\"64\""));
    tempRow->addItem(Leaf(L""));
    tempRow->addItem(Leaf(L"width=\"84\" bordercolor=\"#FF355FE4\" bordersize=\"1\""));
    column->addItem(tempRow);
    column->addItem(Leaf(L"height=\"20\" padding=\"0,4,0,0\""));
    column->addItem(Leaf(L"width=\"240\" height=\"24\" padding=\"0,8,0,0\" bkcolor=\"#FF6A8CF0\" "
                         L"bkcolor2=\"#FFF0A060\""));
    auto* scaleRow = Row(L"width=\"240\" height=\"18\" padding=\"0,2,0,0\"");
    scaleRow->addItem(Leaf(L"width=\"14\""));
    scaleRow->addItem(Leaf(L""));
    scaleRow->addItem(Leaf(L"width=\"28\" visible=\"false\""));
    scaleRow->addItem(Leaf(L""));
    scaleRow->addItem(Leaf(L"width=\"28\""));
    column->addItem(scaleRow);
    content->addItem(column);
    root->addItem(content);

    count = 0;
    root->searchTree(
        [](CControlUI*, void* data) -> CControlUI* {
            ++*static_cast<int*>(data);
            return nullptr;
        },
        &count, 0);
    return root;
}

// 1,000 controls: 10 columns of 9 rows of 9 leaves, nested horizontal -
// vertical - horizontal. With `look`, the leaves are opaque fills with a
// border on every third one; without it the figures are the framework's own
// walk, clipping and arithmetic. (Translucent fills over areas this large are
// pixel work of the render kit's blending and are measured there.)
CControlUI* LargeTree(int& count, bool look)
{
    auto* root = new CHorizontalLayoutUI();
    count = 1;
    for (int c = 0; c < 10; ++c) {
        auto* column = new CVerticalLayoutUI();
        column->applyAttributeList(L"childpadding=\"1\" inset=\"1,1,1,1\"");
        ++count;
        for (int r = 0; r < 9; ++r) {
            auto* row = Row(L"childpadding=\"1\"");
            ++count;
            for (int i = 0; i < 9 && count < 1000; ++i) {
                const wchar_t* attributes = L"";
                if (look && i % 3 == 0)
                    attributes = L"bkcolor=\"#FF808080\" bordercolor=\"#FF000000\" bordersize=\"1\"";
                else if (look)
                    attributes = L"bkcolor=\"#FFFF8000\"";
                row->addItem(Leaf(attributes));
                ++count;
            }
            column->addItem(row);
        }
        root->addItem(column);
    }
    while (count < 1000) {
        root->addItem(Leaf(L"width=\"1\""));
        ++count;
    }
    return root;
}

struct TCanvas {
    CBitmap bitmap;
    CMemoryDc dc;
    HGDIOBJ previous;
    TCanvas(int width, int height)
        : bitmap(CreateTopDownDib(width, height, nullptr)), dc(::CreateCompatibleDC(nullptr))
    {
        previous = ::SelectObject(dc.Get(), bitmap.Get());
    }
    ~TCanvas() { ::SelectObject(dc.Get(), previous); }
};

void MeasureFrames(const char* label, CControlUI* root, int width, int height)
{
    TCanvas canvas(width, height);
    const RECT client{0, 0, width, height};
    const double layout = Bench::TimePerCall([&] { root->placeAt(client, false); });
    const double paint = Bench::TimePerCall([&] { root->render(canvas.dc.Get(), client); });
    const double frame = Bench::TimePerCall([&] {
        root->placeAt(client, false);
        root->render(canvas.dc.Get(), client);
    });
    std::printf("%s\n", label);
    Bench::Report("relayout", layout * 1e6, "us");
    Bench::Report("repaint into a DIB", paint * 1e6, "us");
    Bench::Report("relayout + repaint (one frame)", frame * 1e6, "us");
    Bench::Report("share of a 60 Hz frame budget", frame * 1e3 / kFrameBudgetMs * 100.0, "%");
}

} // namespace

REGISTER_BENCH("layout_window_tree", [] {
    int count = 0;
    std::unique_ptr<CControlUI> root(WindowSizedTree(count));
    char label[96];
    std::snprintf(label, sizeof(label), "window-sized tree: %d controls, 480 x 323", count);
    MeasureFrames(label, root.get(), 480, 323);
});

REGISTER_BENCH("layout_large_tree", [] {
    for (bool look : {true, false}) {
        int count = 0;
        std::unique_ptr<CControlUI> root(LargeTree(count, look));
        char label[128];
        std::snprintf(label, sizeof(label), "large tree: %d controls in nested layouts, 1280 x 800, %s", count,
                      look ? "opaque fills and borders" : "no fills (framework overhead)");
        MeasureFrames(label, root.get(), 1280, 800);
    }
});
