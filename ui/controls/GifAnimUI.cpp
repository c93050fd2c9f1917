#include "ui/controls/GifAnimUI.h"

#include "ui/controls/ContextLink.h"
#include "ui/core/gfx/GdiPlusSession.h"
#include "ui/core/res/SkinSource.h"
#include "ui/core/res/ValueText.h"

#include <cwchar>
#include <gdiplus.h>
#include <objidl.h>
#include <vector>

namespace SkinUI {

namespace {

constexpr PROPID kFrameDelayProperty = 0x5100;

// GDI+ keeps reading from the stream for the image's lifetime, so the
// stream (which owns its memory block) lives as long as the image.
struct TGifSource {
    IStream* stream = nullptr;
    ~TGifSource()
    {
        if (stream)
            stream->Release();
    }
};

std::unique_ptr<Gdiplus::Image> LoadFromBytes(const std::vector<uint8_t>& bytes, TGifSource& source)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return nullptr;
    if (void* memory = ::GlobalLock(block)) {
        memcpy(memory, bytes.data(), bytes.size());
        ::GlobalUnlock(block);
    }
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &source.stream))) {
        ::GlobalFree(block);
        return nullptr;
    }
    return std::unique_ptr<Gdiplus::Image>(Gdiplus::Image::FromStream(source.stream));
}

} // namespace

struct CGifAnimUI::Imp {
    bool playing = false;
    bool deferred = false;
    bool loaded = false;
    bool autoPlay = true;
    bool loop = true;
    int frameDelay = 100;
    UINT frameCount = 0;
    UINT currentFrame = 0;
    TGifSource source;
    std::unique_ptr<Gdiplus::Image> image;
    std::vector<BYTE> delays; // the raw frame-delay property
    GUID dimension = {};
};

CGifAnimUI::CGifAnimUI() : m_imp(new Imp) {}

CGifAnimUI::~CGifAnimUI()
{
    Stop();
    m_imp->image.reset(); // before the stream it reads from
}

const wchar_t* CGifAnimUI::typeName() const
{
    return L"GifAnimUI";
}

void* CGifAnimUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"GifAnim") == 0)
        return this;
    return CLabelUI::queryFacet(facet);
}

bool CGifAnimUI::IsPlaying() const { return m_imp->playing; }
UINT CGifAnimUI::FrameCount() const { return m_imp->frameCount; }
UINT CGifAnimUI::CurrentFrame() const { return m_imp->currentFrame; }
int CGifAnimUI::FrameDelay() const { return m_imp->frameDelay; }

void CGifAnimUI::Load()
{
    Imp& imp = *m_imp;
    imp.loaded = true;
    const std::wstring& name = m_backImage.source;
    if (name.empty() || !EnsureGdiPlus())
        return;
    if (CSkinSource::SkinZipName().empty()) {
        std::wstring path = CSkinSource::SkinFolder() + name;
        imp.image.reset(new Gdiplus::Image(path.c_str()));
    } else if (std::optional<TByteBlock> bytes = ReadSkinImageBytes(name)) {
        imp.image = LoadFromBytes(*bytes, imp.source);
    }
    if (!imp.image || imp.image->GetLastStatus() != Gdiplus::Ok) {
        imp.image.reset();
        return;
    }
    UINT dimensions = imp.image->GetFrameDimensionsCount();
    if (dimensions > 0) {
        std::vector<GUID> ids(dimensions);
        imp.image->GetFrameDimensionsList(ids.data(), dimensions);
        imp.dimension = ids[0];
        imp.frameCount = imp.image->GetFrameCount(&imp.dimension);
    }
    UINT size = imp.image->GetPropertyItemSize(kFrameDelayProperty);
    if (size > 0) {
        imp.delays.resize(size);
        auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(imp.delays.data());
        if (imp.image->GetPropertyItem(kFrameDelayProperty, size, item) == Gdiplus::Ok &&
            imp.currentFrame * sizeof(LONG) < item->length) {
            LONG hundredths = static_cast<const LONG*>(item->value)[imp.currentFrame];
            imp.frameDelay = hundredths > 0 ? int(hundredths * 10) : 100;
        }
    }
    if (imp.autoPlay && isShown())
        Play();
    else if (!imp.autoPlay)
        imp.deferred = true;
}

void CGifAnimUI::Play()
{
    Imp& imp = *m_imp;
    if (imp.playing)
        return;
    if (!imp.loaded)
        Load();
    if (imp.playing) // loading may have started it
        return;
    if (!imp.image)
        return;
    imp.currentFrame = 0;
    ContextLink::StartTimer(m_context, this, kFrameTimerId, UINT(imp.frameDelay));
    imp.playing = true;
}

void CGifAnimUI::Stop()
{
    if (!m_imp->playing)
        return;
    ContextLink::StopTimer(m_context, this, kFrameTimerId);
    m_imp->playing = false;
}

void CGifAnimUI::Tick()
{
    Imp& imp = *m_imp;
    if (!imp.image || imp.frameCount == 0)
        return;
    imp.image->SelectActiveFrame(&imp.dimension, imp.currentFrame);
    if (++imp.currentFrame >= imp.frameCount) {
        if (imp.loop)
            imp.currentFrame = 0;
        else
            Stop();
    }
    requestRepaint();
}

void CGifAnimUI::runInit()
{
    CLabelUI::runInit();
    if (!m_imp->loaded)
        Load();
}

void CGifAnimUI::FollowVisibility(bool wasShown)
{
    // Only a real change counts: markup that says visible="true" before it
    // names the picture would otherwise load nothing and never load again.
    if (isShown() == wasShown)
        return;
    if (!isShown())
        Stop();
    else if (!m_imp->deferred)
        Play();
}

void CGifAnimUI::assignShown(bool shown)
{
    const bool wasShown = isShown();
    CLabelUI::assignShown(shown);
    FollowVisibility(wasShown);
}

void CGifAnimUI::assignOuterShown(bool shown)
{
    const bool wasShown = isShown();
    CLabelUI::assignOuterShown(shown);
    FollowVisibility(wasShown);
}

void CGifAnimUI::handleInput(TInputEvent& event)
{
    if (event.kind == EInputKind::Timer) {
        if (event.wParam == kFrameTimerId && isShown())
            Tick();
    } else if (event.kind == EInputKind::ButtonDown) {
        sendNotice(L"buttondown", event.wParam, event.lParam);
    }
}

void CGifAnimUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"auto")
        m_imp->autoPlay = ParseFlagText(value);
    else if (name == L"loop")
        m_imp->loop = ParseFlagText(value);
    if (name == L"bkimage")
        m_backImage.Reset(value); // the GIF is decoded here, not through the image cache
    else
        CLabelUI::writeAttribute(name, value);
}

void CGifAnimUI::render(HDC dc, const RECT& request)
{
    RECT visible;
    if (!::IntersectRect(&visible, &request, &m_rect) || !m_imp->image)
        return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.DrawImage(m_imp->image.get(), int(m_rect.left), int(m_rect.top), int(m_rect.right - m_rect.left),
                       int(m_rect.bottom - m_rect.top));
}

} // namespace SkinUI
