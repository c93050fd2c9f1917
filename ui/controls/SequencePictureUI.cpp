#include "ui/controls/SequencePictureUI.h"

#include "ui/controls/AttributeValues.h"
#include "ui/controls/ContextLink.h"
#include "ui/controls/FrameFileName.h"
#include "ui/core/res/ValueText.h"
#include "ui/core/host/WindowContextUI.h"

#include <cwchar>

namespace SkinUI {

namespace {

void StopTimersOf(CWindowContextUI* context, CControlUI* control)
{
    if (context)
        context->StopTimers(control);
}

} // namespace

// ---- CSequencePictureUI ----

CSequencePictureUI::~CSequencePictureUI()
{
    StopTimersOf(m_context, this);
}

void* CSequencePictureUI::queryFacet(const wchar_t* facet)
{
    if (facet && std::wcscmp(facet, L"SequencePic") == 0)
        return this;
    return CControlUI::queryFacet(facet);
}

void CSequencePictureUI::runInit()
{
    CControlUI::runInit();
    if (m_autoPlay)
        Start();
}

void CSequencePictureUI::Start()
{
    m_stopped = false;
    m_bounced = false;
    ContextLink::StartTimer(m_context, this, kFrameTimerId, UINT(m_interval));
}

void CSequencePictureUI::Stop()
{
    m_stopped = true;
    if (!m_keepFrame)
        m_currentIndex = m_startIndex;
    if (m_resetDirection)
        m_reverse = false;
    StopTimersOf(m_context, this);
}

void CSequencePictureUI::Tick()
{
    m_currentIndex += m_reverse ? -m_frameStep : m_frameStep;
    if (m_picture.empty())
        return;
    if (m_currentIndex < m_startIndex) {
        if (m_loop) {
            m_currentIndex = m_reverse ? m_endIndex : m_startIndex;
        } else {
            if (m_reverse) {
                if (!m_bounce || m_bounced) {
                    Stop();
                    return;
                }
                m_bounced = true;
            }
            m_currentIndex = m_startIndex;
        }
    }
    if (m_currentIndex > m_endIndex) {
        if (m_loop) {
            m_currentIndex = m_startIndex;
        } else {
            if (!m_bounce || m_bounced) {
                Stop();
                return;
            }
            m_currentIndex = m_endIndex;
            m_bounced = true;
        }
    }
    assignBackImage(FrameFileName(m_picture, m_currentIndex));
}

void CSequencePictureUI::handleInput(TInputEvent& event)
{
    if (event.kind == EInputKind::Timer && event.wParam == kFrameTimerId) {
        if (isShown())
            Tick();
        return;
    }
    if (m_inputListeners.fire(&event))
        CControlUI::handleInput(event);
}

void CSequencePictureUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"startindex")
        m_startIndex = ReadIntValue(value);
    else if (name == L"endindex")
        m_endIndex = ReadIntValue(value);
    else if (name == L"picture")
        m_picture = value;
    else if (name == L"interval")
        m_interval = ReadIntValue(value);
    else if (name == L"auto")
        m_autoPlay = ParseFlagText(value);
    else if (name == L"loop")
        m_loop = ParseFlagText(value);
    else
        CControlUI::writeAttribute(name, value);
}

// ---- CRotateAnimateUI ----

CRotateAnimateUI::~CRotateAnimateUI()
{
    StopTimersOf(m_context, this);
}

void CRotateAnimateUI::runInit()
{
    CControlUI::runInit();
    if (m_autoPlay) {
        m_stopped = true;
        Start();
    }
}

void CRotateAnimateUI::Start()
{
    drawImageSpec(nullptr, m_backImage); // loads it, so we know whether there is anything to turn
    if (!m_backImage.image || !m_stopped)
        return;
    m_stopped = false;
    ContextLink::StartTimer(m_context, this, kStepTimerId, UINT(m_interval));
}

void CRotateAnimateUI::Stop()
{
    m_step = 0;
    m_stopped = true;
    StopTimersOf(m_context, this);
}

void CRotateAnimateUI::handleInput(TInputEvent& event)
{
    if (event.kind == EInputKind::Timer) {
        if (isShown()) {
            if (++m_step > kStepsPerTurn) {
                if (m_loop)
                    m_step = 0;
                else
                    Stop();
            }
            requestRepaint();
        }
        return;
    }
    CControlUI::handleInput(event);
}

void CRotateAnimateUI::writeAttribute(const std::wstring& name, const std::wstring& value)
{
    if (name == L"interval")
        m_interval = ReadIntValue(value);
    else if (name == L"auto")
        m_autoPlay = ParseFlagText(value);
    else if (name == L"loop")
        m_loop = ParseFlagText(value);
    else
        CControlUI::writeAttribute(name, value);
}

void CRotateAnimateUI::drawBackImage(HDC dc)
{
    drawImageSpec(dc, m_backImage, m_stopped ? 0.0f : float(m_step * 10));
}

} // namespace SkinUI
