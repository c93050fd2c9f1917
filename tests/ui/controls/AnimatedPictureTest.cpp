// Animated pictures on a real window's timers: a GIF played from the skin
// folder and from a skin archive in memory, a numbered series of pictures,
// and a picture turning in steps of 10 degrees. The pictures come from
// tools/testdata (make_animation_fixtures.py); every frame is one flat
// colour, so a painted pixel tells which frame is shown.
#include "ui/controls/FrameFileName.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/SequencePictureUI.h"
#include "ui/core/build/SkinBuilder.h"
#include "ui/core/res/SkinSource.h"
#include "tests/support/TestEnvironment.h"
#include "tests/ui/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace SkinUI;
using ControlTest::CDibCanvas;
using ControlTest::CHostWindow;

namespace {

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr DWORD kYellow = 0xFFFF00, kMagenta = 0xFF00FF;
constexpr DWORD kCyan = 0x00FFFF, kOrange = 0xFF8000, kGrey = 0x808080;
constexpr DWORD kBlack = 0x000000, kWhite = 0xFFFFFF;
const RECT kPlace = {0, 0, 32, 32};

std::wstring FixtureFolder()
{
    return TestEnv::FromUnixPath(std::string(ORVANE_BINARY_DIR) + "/testdata/anim/");
}

TInputEvent TimerEvent(UINT timerId)
{
    TInputEvent event;
    event.kind = EInputKind::Timer;
    event.wParam = timerId;
    return event;
}

void Tick(CControlUI& control, UINT timerId, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        TInputEvent event = TimerEvent(timerId);
        control.dispatchInput(event);
    }
}

// The colour at the middle of the control after painting it alone.
DWORD PaintedCentre(CControlUI& control)
{
    CDibCanvas canvas(32, 32);
    control.render(canvas.Dc(), kPlace);
    return canvas.Rgb(16, 16);
}

// Notes the time of every timer event the control receives.
struct TTickLog {
    std::vector<DWORD> times;
    void Follow(CControlUI& control)
    {
        control.inputListeners() += CDelegateBase(this, [this](void* argument) {
            if (static_cast<TInputEvent*>(argument)->kind == EInputKind::Timer)
                times.push_back(::GetTickCount());
            return true;
        });
    }
    // Mean milliseconds between consecutive ticks; 0 with fewer than two.
    DWORD MeanInterval() const
    {
        return times.size() < 2 ? 0 : (times.back() - times.front()) / DWORD(times.size() - 1);
    }
};

class AnimatedPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSkinSource::Reset();
        CSkinSource::SetSkinFolder(FixtureFolder());
    }
    void TearDown() override { CSkinSource::Reset(); }

    // Reads the skin from the fixture archive, held in memory.
    void UseArchive()
    {
        m_archive = TestEnv::ReadFileBytes(FixtureFolder() + L"animskin.zip");
        ASSERT_FALSE(m_archive.empty());
        CSkinSource::SetSkinZipBlock(m_archive.data(), m_archive.size());
    }

    template <typename T>
    T* Show(T* control, const ControlTest::TAttributes& attributes)
    {
        return ControlTest::PlaceAlone(host, control, attributes, kPlace, kPlace);
    }

    CHostWindow host;
    std::string m_archive;
};

} // namespace

// ---- CGifAnimUI ----

TEST_F(AnimatedPictureTest, GifFromTheSkinFolderKnowsItsFramesAndPlaysAtTheFirstFrameDelay)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    EXPECT_EQ(gif->FrameCount(), 3u);
    EXPECT_EQ(gif->FrameDelay(), 70); // 7 hundredths of a second
    EXPECT_TRUE(gif->IsPlaying());
    EXPECT_EQ(PaintedCentre(*gif), kRed);
}

TEST_F(AnimatedPictureTest, GifFromAnArchiveInMemoryPlaysTheSameWay)
{
    UseArchive();
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    EXPECT_EQ(gif->FrameCount(), 3u);
    EXPECT_EQ(gif->FrameDelay(), 70);
    EXPECT_TRUE(gif->IsPlaying());
    Tick(*gif, CGifAnimUI::kFrameTimerId, 2);
    EXPECT_EQ(PaintedCentre(*gif), kGreen);
}

TEST_F(AnimatedPictureTest, GifMissingFromTheArchiveLeavesTheControlWithoutPicture)
{
    UseArchive();
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"absent.gif"}});
    EXPECT_EQ(gif->FrameCount(), 0u);
    EXPECT_FALSE(gif->IsPlaying());
    CDibCanvas canvas(32, 32);
    canvas.Clear(0xFF123456);
    gif->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(16, 16), 0x123456u);
}

TEST_F(AnimatedPictureTest, EachTickShowsTheNextFrameAndTheLastWrapsToTheFirst)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    const DWORD expected[] = {kRed, kGreen, kBlue, kRed, kGreen};
    for (DWORD colour : expected) {
        Tick(*gif, CGifAnimUI::kFrameTimerId);
        EXPECT_EQ(PaintedCentre(*gif), colour);
    }
    EXPECT_TRUE(gif->IsPlaying());
    EXPECT_EQ(gif->CurrentFrame(), 2u);
}

TEST_F(AnimatedPictureTest, OtherTimersDoNotMoveTheGif)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    Tick(*gif, 101, 2);
    EXPECT_EQ(gif->CurrentFrame(), 0u);
}

TEST_F(AnimatedPictureTest, GifWithoutLoopShowsEachFrameOnceOnRealTimersAndStopsOnTheLast)
{
    auto* gif = Show(new CGifAnimUI(), {{L"loop", L"false"}, {L"bkimage", L"three.gif"}});
    TTickLog ticks;
    ticks.Follow(*gif);
    ASSERT_TRUE(host.PumpUntil([gif] { return !gif->IsPlaying(); }, 5000));
    EXPECT_EQ(ticks.times.size(), 3u);
    EXPECT_GE(ticks.MeanInterval(), 55u); // every frame waits the first frame's 70 ms
    EXPECT_EQ(gif->CurrentFrame(), 3u);
    EXPECT_EQ(PaintedCentre(*gif), kBlue);
    host.PumpFor(300);
    EXPECT_EQ(ticks.times.size(), 3u);
}

TEST_F(AnimatedPictureTest, GifWhoseFirstFrameHasNoDelayPlaysAtOneHundredMilliseconds)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"zerodelay.gif"}});
    EXPECT_EQ(gif->FrameCount(), 2u);
    EXPECT_EQ(gif->FrameDelay(), 100);
    TTickLog ticks;
    ticks.Follow(*gif);
    ASSERT_TRUE(host.PumpUntil([&ticks] { return ticks.times.size() >= 4; }, 5000));
    EXPECT_GE(ticks.MeanInterval(), 80u);
}

TEST_F(AnimatedPictureTest, ZeroDelayFromTheArchiveIsOneHundredMillisecondsToo)
{
    UseArchive();
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"zerodelay.gif"}});
    EXPECT_EQ(gif->FrameDelay(), 100);
    Tick(*gif, CGifAnimUI::kFrameTimerId, 2);
    EXPECT_EQ(PaintedCentre(*gif), kMagenta);
    Tick(*gif, CGifAnimUI::kFrameTimerId);
    EXPECT_EQ(PaintedCentre(*gif), kYellow);
}

TEST_F(AnimatedPictureTest, HidingStopsTheTimerAndShowingRestartsFromTheFirstFrame)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    Tick(*gif, CGifAnimUI::kFrameTimerId, 2);
    ASSERT_EQ(gif->CurrentFrame(), 2u);

    gif->assignShown(false);
    EXPECT_FALSE(gif->IsPlaying());
    TTickLog ticks;
    ticks.Follow(*gif);
    host.PumpFor(300);
    EXPECT_TRUE(ticks.times.empty());
    EXPECT_EQ(gif->CurrentFrame(), 2u);

    gif->assignShown(true);
    EXPECT_TRUE(gif->IsPlaying());
    EXPECT_EQ(gif->CurrentFrame(), 0u);
    ASSERT_TRUE(host.PumpUntil([&ticks] { return !ticks.times.empty(); }, 3000));
}

TEST_F(AnimatedPictureTest, HidingTheParentStopsTheGifToo)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    gif->parentControl()->assignShown(false);
    EXPECT_FALSE(gif->IsPlaying());
    gif->parentControl()->assignShown(true);
    EXPECT_TRUE(gif->IsPlaying());
    EXPECT_EQ(gif->CurrentFrame(), 0u);
}

TEST_F(AnimatedPictureTest, GifPlaysWhateverTheOrderOfItsAttributes)
{
    for (const wchar_t* gifElement : {L"<GifAnim name=\"gif\" visible=\"true\" bkimage=\"three.gif\" />",
                                      L"<GifAnim name=\"gif\" bkimage=\"three.gif\" visible=\"true\" />"}) {
        const std::wstring markup = std::wstring(L"<Window><Container>") + gifElement + L"</Container></Window>";
        CSkinBuilder builder;
        CControlUI* root = builder.Build(markup.c_str(), nullptr, nullptr, &host.context);
        ASSERT_NE(root, nullptr);
        host.context.AdoptRoot(root);
        root->placeAt(kPlace);
        auto* gif = static_cast<CGifAnimUI*>(host.context.ControlByName(L"gif"));
        ASSERT_NE(gif, nullptr);
        EXPECT_EQ(gif->FrameCount(), 3u) << gifElement;
        TTickLog ticks;
        ticks.Follow(*gif);
        EXPECT_TRUE(host.PumpUntil([&ticks] { return ticks.times.size() >= 2; }, 3000)) << gifElement;
        EXPECT_TRUE(gif->IsPlaying()) << gifElement;
        gif->inputListeners().removeOwner(&ticks);
    }
}

TEST_F(AnimatedPictureTest, GifWithoutAutoWaitsForPlayEvenWhenShownAgain)
{
    auto* gif = Show(new CGifAnimUI(), {{L"auto", L"false"}, {L"bkimage", L"three.gif"}});
    EXPECT_EQ(gif->FrameCount(), 3u);
    EXPECT_FALSE(gif->IsPlaying());
    gif->assignShown(false);
    gif->assignShown(true);
    EXPECT_FALSE(gif->IsPlaying());
    EXPECT_EQ(PaintedCentre(*gif), kRed);
    gif->Play();
    EXPECT_TRUE(gif->IsPlaying());
    gif->Stop();
    EXPECT_FALSE(gif->IsPlaying());
}

TEST_F(AnimatedPictureTest, PressingTheGifSendsButtonDown)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}});
    TInputEvent press;
    press.kind = EInputKind::ButtonDown;
    press.wParam = MK_LBUTTON;
    press.lParam = MAKELPARAM(3, 4);
    gif->dispatchInput(press);
    ASSERT_EQ(host.notices.Count(L"buttondown"), 1);
    EXPECT_EQ(host.notices.notices.back().wParam, WPARAM(MK_LBUTTON));
    EXPECT_EQ(host.notices.notices.back().lParam, MAKELPARAM(3, 4));
}

TEST_F(AnimatedPictureTest, GifPaintsOnlyTheFrameScaledIntoItsRectangle)
{
    auto* gif = Show(new CGifAnimUI(), {{L"bkimage", L"three.gif"}, {L"bkcolor", L"#FF0000FF"}});
    gif->placeAt(RECT{8, 8, 24, 24});
    CDibCanvas canvas(32, 32);
    canvas.Clear(0xFF123456);
    gif->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(9, 9), kRed);
    EXPECT_EQ(canvas.Rgb(22, 22), kRed);
    EXPECT_EQ(canvas.Rgb(4, 4), 0x123456u); // no background colour
    EXPECT_EQ(canvas.Rgb(28, 28), 0x123456u);
}

// ---- CSequencePictureUI ----

TEST(FrameFileName, TheNumberGoesBeforeTheLastDotOrAtTheEnd)
{
    EXPECT_EQ(FrameFileName(L"image/run.png", 3), L"image/run3.png");
    EXPECT_EQ(FrameFileName(L"a.b.png", 12), L"a.b12.png");
    EXPECT_EQ(FrameFileName(L"frame", 0), L"frame0");
    EXPECT_EQ(FrameFileName(L".png", 7), L".png7"); // a dot in first place does not count
    EXPECT_EQ(FrameFileName(L"", 1), L"1");
}

TEST_F(AnimatedPictureTest, SequenceShowsTheNextNumberedPictureOnEachTickAndWraps)
{
    auto* sequence = Show(new CSequencePictureUI(),
                          {{L"picture", L"frame.png"}, {L"startindex", L"0"}, {L"endindex", L"2"},
                           {L"auto", L"false"}});
    const DWORD expected[] = {kOrange, kGrey, kCyan, kOrange};
    const int indexes[] = {1, 2, 0, 1};
    for (int i = 0; i < 4; ++i) {
        Tick(*sequence, CSequencePictureUI::kFrameTimerId);
        EXPECT_EQ(sequence->CurrentIndex(), indexes[i]);
        EXPECT_EQ(PaintedCentre(*sequence), expected[i]);
    }
    EXPECT_EQ(sequence->readAttribute(L"bkimage"), L"frame1.png");
}

TEST_F(AnimatedPictureTest, SequenceRunsOnItsOwnTimerAtItsInterval)
{
    auto* sequence = Show(new CSequencePictureUI(), {{L"picture", L"frame.png"}, {L"startindex", L"0"},
                                                      {L"endindex", L"2"}, {L"interval", L"80"}});
    EXPECT_FALSE(sequence->IsStopped());
    TTickLog ticks;
    ticks.Follow(*sequence);
    ASSERT_TRUE(host.PumpUntil([&ticks] { return ticks.times.size() >= 4; }, 5000));
    EXPECT_GE(ticks.MeanInterval(), 60u);
    EXPECT_NE(sequence->readAttribute(L"bkimage"), L"");
}

TEST_F(AnimatedPictureTest, SequenceWithoutLoopStopsAfterTheLastPictureAndKeepsShowingIt)
{
    auto* sequence = Show(new CSequencePictureUI(), {{L"picture", L"frame.png"}, {L"startindex", L"0"},
                                                      {L"endindex", L"2"}, {L"interval", L"20"}, {L"loop", L"false"}});
    ASSERT_TRUE(host.PumpUntil([sequence] { return sequence->IsStopped(); }, 5000));
    EXPECT_EQ(sequence->CurrentIndex(), 0); // back at the start index
    EXPECT_EQ(sequence->readAttribute(L"bkimage"), L"frame2.png");
    EXPECT_EQ(PaintedCentre(*sequence), kGrey);
}

TEST_F(AnimatedPictureTest, SequenceWithoutPictureAdvancesButShowsNothing)
{
    auto* sequence = Show(new CSequencePictureUI(), {{L"startindex", L"0"}, {L"endindex", L"2"}, {L"auto", L"false"}});
    Tick(*sequence, CSequencePictureUI::kFrameTimerId, 5);
    EXPECT_EQ(sequence->CurrentIndex(), 5); // no wrap without a picture
    EXPECT_EQ(sequence->readAttribute(L"bkimage"), L"");
    CDibCanvas canvas(32, 32);
    canvas.Clear(0xFF123456);
    sequence->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(16, 16), 0x123456u);
}

TEST_F(AnimatedPictureTest, SequenceIgnoresTicksWhileHidden)
{
    auto* sequence = Show(new CSequencePictureUI(),
                          {{L"picture", L"frame.png"}, {L"startindex", L"0"}, {L"endindex", L"2"},
                           {L"auto", L"false"}});
    sequence->assignShown(false);
    Tick(*sequence, CSequencePictureUI::kFrameTimerId, 2);
    EXPECT_EQ(sequence->CurrentIndex(), 0);
}

TEST_F(AnimatedPictureTest, StoppingASequenceEndsItsTimerAndGoesBackToTheStart)
{
    auto* sequence = Show(new CSequencePictureUI(),
                          {{L"picture", L"frame.png"}, {L"startindex", L"1"}, {L"endindex", L"2"},
                           {L"interval", L"20"}});
    TTickLog ticks;
    ticks.Follow(*sequence);
    ASSERT_TRUE(host.PumpUntil([&ticks] { return !ticks.times.empty(); }, 3000));
    sequence->Stop();
    EXPECT_TRUE(sequence->IsStopped());
    EXPECT_EQ(sequence->CurrentIndex(), 1);
    const size_t seen = ticks.times.size();
    host.PumpFor(200);
    EXPECT_EQ(ticks.times.size(), seen);
}

// ---- CRotateAnimateUI ----

TEST_F(AnimatedPictureTest, TurningPictureRunsOnItsTimerOnceItsImageIsThere)
{
    auto* rotate = Show(new CRotateAnimateUI(), {{L"bkimage", L"halves.png"}, {L"interval", L"30"}});
    EXPECT_FALSE(rotate->IsStopped());
    ASSERT_TRUE(host.PumpUntil([rotate] { return rotate->Step() >= 3; }, 5000));
}

TEST_F(AnimatedPictureTest, TurningPictureWithoutImageDoesNotStart)
{
    auto* rotate = Show(new CRotateAnimateUI(), {{L"bkimage", L"absent.png"}});
    EXPECT_TRUE(rotate->IsStopped());
    TTickLog ticks;
    ticks.Follow(*rotate);
    host.PumpFor(200);
    EXPECT_TRUE(ticks.times.empty());
}

TEST_F(AnimatedPictureTest, TurningPictureWithoutLoopMakesThirtySixStepsThenRestsAtZero)
{
    auto* rotate = Show(new CRotateAnimateUI(), {{L"bkimage", L"halves.png"}, {L"loop", L"false"}});
    Tick(*rotate, CRotateAnimateUI::kStepTimerId, 36);
    EXPECT_EQ(rotate->Step(), 36);
    EXPECT_FALSE(rotate->IsStopped());
    Tick(*rotate, CRotateAnimateUI::kStepTimerId);
    EXPECT_EQ(rotate->Step(), 0);
    EXPECT_TRUE(rotate->IsStopped());
    TTickLog ticks;
    ticks.Follow(*rotate);
    host.PumpFor(200);
    EXPECT_TRUE(ticks.times.empty());
}

TEST_F(AnimatedPictureTest, TurningPictureWithLoopStartsAnotherTurn)
{
    auto* rotate = Show(new CRotateAnimateUI(), {{L"bkimage", L"halves.png"}, {L"auto", L"false"}});
    rotate->Start();
    Tick(*rotate, CRotateAnimateUI::kStepTimerId, 37);
    EXPECT_EQ(rotate->Step(), 0);
    EXPECT_FALSE(rotate->IsStopped());
}

TEST_F(AnimatedPictureTest, PaintedPixelsTurnWithTheSteps)
{
    auto* rotate = Show(new CRotateAnimateUI(), {{L"bkimage", L"halves.png"}, {L"auto", L"false"}});
    CDibCanvas canvas(32, 32);
    rotate->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(16, 4), kBlack);
    EXPECT_EQ(canvas.Rgb(16, 27), kWhite);

    rotate->Start();
    Tick(*rotate, CRotateAnimateUI::kStepTimerId, 9); // a quarter turn, clockwise
    canvas.Clear(0);
    rotate->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(27, 16), kBlack);
    EXPECT_EQ(canvas.Rgb(4, 16), kWhite);

    Tick(*rotate, CRotateAnimateUI::kStepTimerId, 9); // half a turn
    canvas.Clear(0);
    rotate->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(16, 27), kBlack);
    EXPECT_EQ(canvas.Rgb(16, 4), kWhite);

    rotate->Stop(); // at rest the picture is upright again
    canvas.Clear(0);
    rotate->render(canvas.Dc(), kPlace);
    EXPECT_EQ(canvas.Rgb(16, 4), kBlack);
}
