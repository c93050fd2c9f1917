#include "ui/controls/AnimationOptionUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"
#include "ui/controls/FrameFileName.h"
#include "ui/core/res/ValueText.h"

#include <cwchar>

namespace SkinUI {

void* CAnimationOptionUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"AnimationOption") == 0)
        return this;
    return CControlUI::queryFacet(facet);
}

void CAnimationOptionUI::startAnimation(UINT kind)
{
    if (kind != ANIMATION_HOVER && kind != ANIMATION_WORKING)
        return;
    if (kind == ANIMATION_WORKING && !m_workingEnabled)
        return;
    TFrameAnimation& frames = animation(kind);
    // Without an interval or a picture the kind is not configured.
    if (frames.interval <= 0 || frames.picture.empty())
        return;
    m_activeAnimations |= kind;
    frames.currentFrame = frames.startFrame;
    showFrame(kind);
    ContextLink::StartTimer(m_context, this, timerOf(kind), UINT(frames.interval));
}

void CAnimationOptionUI::stopAnimations(UINT kinds)
{
    m_activeAnimations &= ~kinds;
    if (kinds & ANIMATION_HOVER)
        ContextLink::StopTimer(m_context, this, kHoverTimerId);
    if (kinds & ANIMATION_WORKING)
        ContextLink::StopTimer(m_context, this, kWorkingTimerId);
    clearForeImage();
}

void CAnimationOptionUI::advance(UINT kind)
{
    TFrameAnimation& frames = animation(kind);
    const int next = frames.currentFrame + 1;
    if (next > frames.endFrame) {
        if (!frames.loop) {
            stopAnimations(kind);
            return;
        }
        frames.currentFrame = frames.startFrame;
    } else {
        frames.currentFrame = next;
    }
    showFrame(kind);
}

void CAnimationOptionUI::showFrame(UINT kind)
{
    const TFrameAnimation& frames = animation(kind);
    assignButtonImage(m_foreImage, FrameFileName(frames.picture, frames.currentFrame));
}

void CAnimationOptionUI::clearForeImage()
{
    if (m_foreImage.source.empty() && !m_foreImage.image)
        return;
    m_foreImage.Reset(std::wstring());
    requestRepaint();
}

void CAnimationOptionUI::handleInput(TInputEvent& event)
{
    if (!takesMouse() && IsMouseKind(event.kind)) {
        COptionUI::handleInput(event);
        return;
    }
    if (!isShown())
        return;
    switch (event.kind) {
    case EInputKind::MouseEnter:
        if (!isOperable())
            break;
        m_state |= STATE_HOT;
        sendNotice(L"mouseenter", event.wParam, event.lParam);
        if (m_activeAnimations != 0)
            requestRepaint();
        else
            startAnimation(ANIMATION_HOVER);
        return;
    case EInputKind::MouseLeave:
        if (!isOperable())
            break;
        m_state &= ~STATE_HOT;
        sendNotice(L"mouseleave", event.wParam, event.lParam);
        requestRepaint();
        stopAnimations(ANIMATION_HOVER);
        if (m_activeAnimations == 0)
            clearForeImage();
        return;
    case EInputKind::ButtonUp:
        if (!(m_state & STATE_CAPTURED))
            break;
        m_state &= ~(STATE_PUSHED | STATE_CAPTURED);
        requestRepaint();
        if (::PtInRect(&m_rect, event.mouse)) {
            if (m_activeAnimations & ANIMATION_WORKING) {
                // Stopping clears the foreground, so the selected picture goes in after it.
                stopAnimations(ANIMATION_WORKING);
                assignButtonImage(m_foreImage, m_selectedImage.source);
            }
            fireAction();
        }
        return;
    case EInputKind::Timer:
        if (event.wParam == kHoverTimerId) {
            if (m_activeAnimations & ANIMATION_HOVER)
                advance(ANIMATION_HOVER);
            return;
        }
        if (event.wParam == kWorkingTimerId) {
            if (!m_workingEnabled)
                stopAnimations(ANIMATION_WORKING);
            else if (m_activeAnimations & ANIMATION_WORKING)
                advance(ANIMATION_WORKING);
            return;
        }
        break;
    default:
        break;
    }
    COptionUI::handleInput(event);
}

void CAnimationOptionUI::drawStateImage(HDC dc)
{
    if (m_activeAnimations == 0) {
        COptionUI::drawStateImage(dc);
        return;
    }
    if ((m_state & STATE_HOT) && m_hotBackColour != 0)
        fillPaintRect(dc, m_hotBackColour);
    else if (m_selected)
        fillPaintRect(dc, m_selectedBackColour);
    drawForeImageAgain(dc);
}

void CAnimationOptionUI::assignSelected(bool selected, bool notify)
{
    if (!selected && m_workingEnabled && !(m_activeAnimations & ANIMATION_WORKING))
        startAnimation(ANIMATION_WORKING);
    COptionUI::assignSelected(selected, notify);
}

std::wstring CAnimationOptionUI::readAttribute(const std::wstring& name)
{
    const TFrameAnimation& hover = animation(ANIMATION_HOVER);
    const TFrameAnimation& working = animation(ANIMATION_WORKING);
    if (name == L"startindexhover")
        return IntToText(hover.startFrame);
    if (name == L"endindexhover")
        return IntToText(hover.endFrame);
    if (name == L"startindexworking")
        return IntToText(working.startFrame);
    if (name == L"endindexworking")
        return IntToText(working.endFrame);
    if (name == L"picturehover")
        return hover.picture;
    if (name == L"pictureworking")
        return working.picture;
    if (name == L"intervalhover")
        return IntToText(hover.interval);
    if (name == L"intervalworking")
        return IntToText(working.interval);
    if (name == L"loophover")
        return FlagToText(hover.loop);
    if (name == L"loopworking")
        return FlagToText(working.loop);
    return CControlUI::readAttribute(name);
}

void CAnimationOptionUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    TFrameAnimation& hover = animation(ANIMATION_HOVER);
    TFrameAnimation& working = animation(ANIMATION_WORKING);
    if (name == L"startindexhover")
        hover.startFrame = ReadIntValue(value);
    else if (name == L"endindexhover")
        hover.endFrame = ReadIntValue(value);
    else if (name == L"startindexworking")
        working.startFrame = ReadIntValue(value);
    else if (name == L"endindexworking")
        working.endFrame = ReadIntValue(value);
    else if (name == L"picturehover")
        hover.picture = value;
    else if (name == L"pictureworking")
        working.picture = value;
    else if (name == L"intervalhover")
        hover.interval = ReadIntValue(value);
    else if (name == L"intervalworking")
        working.interval = ReadIntValue(value);
    else if (name == L"loophover")
        hover.loop = ParseFlagText(value);
    else if (name == L"loopworking")
        working.loop = ParseFlagText(value);
    else
        COptionUI::writeAttribute(name, value);
}

} // namespace SkinUI
