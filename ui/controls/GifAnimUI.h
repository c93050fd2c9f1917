#pragma once
// Plays the frames of an animated GIF (its "bkimage") on a timer.
#include "ui/controls/LabelUI.h"

#include <memory>

namespace SkinUI {

class CGifAnimUI : public CLabelUI {
public:
    static constexpr UINT kFrameTimerId = 100;

    CGifAnimUI();
    ~CGifAnimUI() override;

    const wchar_t* typeName() const override;
    void* queryFacet(const wchar_t* facet) override;
    void assignShown(bool shown) override;
    void assignOuterShown(bool shown) override;
    void runInit() override;
    void handleInput(TInputEvent& event) override;
    void writeAttribute(const std::wstring& name, const std::wstring& value) override;
    void render(HDC dc, const RECT& request) override;

    void Play();
    void Stop();
    bool IsPlaying() const;
    UINT FrameCount() const;
    UINT CurrentFrame() const;
    int FrameDelay() const;

    struct Imp;

private:
    void Load();
    void Tick();
    // Stops when the control was hidden, starts when it was shown.
    void FollowVisibility(bool wasShown);

    std::unique_ptr<Imp> m_imp;
};

} // namespace SkinUI
