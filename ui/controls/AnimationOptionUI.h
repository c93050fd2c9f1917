#pragma once
// An option that plays numbered frame pictures as its foreground: one series
// while the mouse is over it, another while it is "working" (unselected with
// the working animation enabled).
#include "ui/controls/OptionUI.h"

namespace SkinUI {

class CAnimationOptionUI : public COptionUI {
public:
    // Animation kinds, also the bits of the running set.
    enum : UINT {
        ANIMATION_HOVER = 1,
        ANIMATION_WORKING = 2,
    };
    static constexpr UINT kHoverTimerId = 902;
    static constexpr UINT kWorkingTimerId = 903;

    void* queryFacet(const wchar_t* facet) override;
    void handleInput(TInputEvent& event) override;
    std::wstring readAttribute(const std::wstring& name) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void drawStateImage(HDC dc) override;
    void assignSelected(bool selected, bool notify = true) override;

    void enableWorkingAnimation(bool enabled) { m_workingEnabled = enabled; }
    bool workingAnimationEnabled() const { return m_workingEnabled; }
    UINT activeAnimations() const { return m_activeAnimations; }
    int currentFrame(UINT kind) const { return animation(kind).currentFrame; }

    void startAnimation(UINT kind);
    void stopAnimations(UINT kinds);

private:
    struct TFrameAnimation {
        int startFrame = 0;
        int endFrame = 0;
        std::wstring picture; // frame file pattern, see FrameFileName
        int interval = 0;     // milliseconds; 0: the kind does not play
        bool loop = false;
        int currentFrame = 0;
    };

    TFrameAnimation& animation(UINT kind) { return m_animations[kind == ANIMATION_WORKING ? 1 : 0]; }
    const TFrameAnimation& animation(UINT kind) const { return m_animations[kind == ANIMATION_WORKING ? 1 : 0]; }
    static UINT timerOf(UINT kind) { return kind == ANIMATION_WORKING ? kWorkingTimerId : kHoverTimerId; }
    void advance(UINT kind);
    void showFrame(UINT kind);
    void clearForeImage();

    TFrameAnimation m_animations[2];
    UINT m_activeAnimations = 0;
    bool m_workingEnabled = false;
};

} // namespace SkinUI
