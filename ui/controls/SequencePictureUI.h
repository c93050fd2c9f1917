#pragma once
// Pictures that move on a timer: a numbered series of image files shown one
// after another, and a background image turning in steps of 10 degrees.
#include "ui/controls/ControlUI.h"

namespace SkinUI {

class CSequencePictureUI : public CControlUI {
public:
    static constexpr UINT kFrameTimerId = 901;

    ~CSequencePictureUI() override;
    void* queryFacet(const wchar_t* facet) override;
    void runInit() override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;

    void Start();
    void Stop();
    bool IsStopped() const { return m_stopped; }
    int CurrentIndex() const { return m_currentIndex; }

private:
    void Tick();

    int m_startIndex = 0;
    int m_endIndex = 0;
    std::wstring m_picture;
    int m_interval = 50;
    int m_frameStep = 1;
    bool m_autoPlay = true;
    bool m_loop = true;
    bool m_stopped = true;
    bool m_resetDirection = true;
    bool m_reverse = false;
    bool m_bounce = false;
    bool m_bounced = false;
    bool m_keepFrame = false;
    int m_currentIndex = 0;
};

class CRotateAnimateUI : public CControlUI {
public:
    static constexpr UINT kStepTimerId = 902;
    static constexpr int kStepsPerTurn = 36;

    ~CRotateAnimateUI() override;
    void runInit() override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void drawBackImage(HDC dc) override;

    void Start();
    void Stop();
    bool IsStopped() const { return m_stopped; }
    int Step() const { return m_step; }

private:
    int m_interval = 50;
    bool m_autoPlay = true;
    bool m_loop = true;
    bool m_stopped = true;
    int m_step = 0;
};

} // namespace SkinUI
