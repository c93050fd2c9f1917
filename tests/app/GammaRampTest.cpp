#include "app/GammaRamp.h"

#include "biz/Logger.h"
#include "biz/libutils.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

struct TWorkedRow {
    int kelvin;
    double red, green, blue; // intensities, to two decimals
    uint16_t redEntries[3], greenEntries[3], blueEntries[3]; // i = 1, 128, 255
};

// The table every implementation of the curve must reproduce exactly.
const TWorkedRow kWorkedRows[] = {
    {1000, 255, 67.92, 0, {255, 32704, 65152}, {161, 20730, 41299}, {128, 16384, 32640}},
    {2000, 255, 136.87, 13.90, {255, 32704, 65152}, {196, 25143, 50090}, {134, 17273, 34412}},
    {3500, 255, 192.53, 140.83, {255, 32704, 65152}, {224, 28706, 57188}, {198, 25396, 50595}},
    {6500, 255, 254.11, 250.04, {255, 32704, 65152}, {255, 32647, 65039}, {253, 32386, 64520}},
    {6600, 255, 255, 255, {255, 32704, 65152}, {255, 32704, 65152}, {255, 32704, 65152}},
    {11200, 194.78, 213.79, 255, {225, 28849, 57474}, {234, 30066, 59898}, {255, 32704, 65152}},
    {40000, 151.67, 185.53, 255, {203, 26091, 51978}, {220, 28257, 56294}, {255, 32704, 65152}},
};

void BuildFor(int kelvin, uint16_t (&ramp)[3][256])
{
    BuildGammaRamp(IntensitiesForTemperature(kelvin), 0.5, ramp);
}

const int kSampleIndices[3] = {1, 128, 255};

} // namespace

TEST(ColorTemperatureCurve, ReproducesEveryWorkedRow)
{
    for (const TWorkedRow& row : kWorkedRows) {
        SCOPED_TRACE(row.kelvin);
        TChannelIntensities intensities = IntensitiesForTemperature(row.kelvin);
        EXPECT_NEAR(intensities.red, row.red, 0.005);
        EXPECT_NEAR(intensities.green, row.green, 0.005);
        EXPECT_NEAR(intensities.blue, row.blue, 0.005);
        uint16_t ramp[3][256];
        BuildFor(row.kelvin, ramp);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(ramp[0][kSampleIndices[k]], row.redEntries[k]);
            EXPECT_EQ(ramp[1][kSampleIndices[k]], row.greenEntries[k]);
            EXPECT_EQ(ramp[2][kSampleIndices[k]], row.blueEntries[k]);
        }
    }
}

TEST(ColorTemperatureCurve, OutOfRangeTemperaturesAreClamped)
{
    uint16_t low[3][256], lowest[3][256], high[3][256], highest[3][256];
    BuildFor(999, low);
    BuildFor(1000, lowest);
    BuildFor(50000, high);
    BuildFor(40000, highest);
    EXPECT_EQ(0, memcmp(low, lowest, sizeof low));
    EXPECT_EQ(0, memcmp(high, highest, sizeof high));
    EXPECT_EQ(IntensitiesForTemperature(-5).blue, 0.0);
}

TEST(ColorTemperatureCurve, NeutralFromSixtySixHundredsAndSwitchBoundaries)
{
    uint16_t neutral[3][256], above[3][256], below[3][256];
    BuildFor(6600, neutral);
    BuildFor(6601, above);
    BuildFor(6599, below);
    EXPECT_EQ(0, memcmp(neutral, above, sizeof neutral));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(neutral[0][i], static_cast<uint16_t>(i * 255.5));
    EXPECT_LT(below[1][255], neutral[1][255]);
    EXPECT_LT(below[2][255], neutral[2][255]);
    EXPECT_EQ(below[0][255], neutral[0][255]);

    // Blue is off up to t = 19 and starts at t = 20.
    EXPECT_EQ(IntensitiesForTemperature(1999).blue, 0.0);
    EXPECT_NEAR(IntensitiesForTemperature(2000).blue, 138.5177312231 * std::log(10.0) - 305.0447927307, 1e-9);
    // Red and green change curves only above 66, blue is full from 66 on.
    EXPECT_EQ(IntensitiesForTemperature(6600).blue, 255.0);
    EXPECT_EQ(IntensitiesForTemperature(6699).red, 255.0);
    EXPECT_EQ(IntensitiesForTemperature(6699).green, 255.0);
    EXPECT_LT(IntensitiesForTemperature(6700).red, 255.0);
    EXPECT_LT(IntensitiesForTemperature(6700).green, 255.0);
}

TEST(ColorTemperatureCurve, EntryZeroIsAlwaysZero)
{
    for (int kelvin = 0; kelvin <= 41000; kelvin += 37) {
        uint16_t ramp[3][256];
        BuildFor(kelvin, ramp);
        ASSERT_EQ(ramp[0][0] | ramp[1][0] | ramp[2][0], 0) << kelvin;
    }
}

class GammaRampOnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::DeleteRegistryTree(HKEY_LOCAL_MACHINE, SuiteRegistry::kColorTemperatureKey, KEY_WOW64_64KEY);
    }
    void TearDown() override
    {
        TestEnv::DeleteRegistryTree(HKEY_LOCAL_MACHINE, SuiteRegistry::kColorTemperatureKey, KEY_WOW64_64KEY);
        CColorTemperatureRamp neutral;
        neutral.ApplyColorTemperature(6600, false, 0.5);
    }

    static std::wstring StoredValue()
    {
        std::wstring text;
        if (!RegReadStringHklm(SuiteRegistry::kColorTemperatureKey, L"ColorTemperatureValue", true, text))
            return L"<missing>";
        return text;
    }

    TestLog::CLogCapture log;
};

TEST_F(GammaRampOnScreen, ThreeThousandFiveHundredReachesTheXServer)
{
    CColorTemperatureRamp engine;
    engine.ApplyColorTemperature(3500, true, 0.5);

    TestEnv::TXGammaRamp screen;
    ASSERT_TRUE(TestEnv::ReadXGammaRamp(screen));
    ASSERT_EQ(screen.red.size(), 256u);
    const std::vector<unsigned>* channels[3] = {&screen.red, &screen.green, &screen.blue};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ((*channels[c])[i], (engine.Ramp()[c][i] >> 8) * 257u) << "channel " << c << " entry " << i;
    EXPECT_EQ(StoredValue(), L"3500");
    EXPECT_TRUE(log.Contains(L"GammaRamp  (") );
    EXPECT_TRUE(log.Contains(L"SetDeviceGammaRamp success!"));
}

TEST_F(GammaRampOnScreen, PersistsTheRequestedValueUnclampedAndOnlyWhenAsked)
{
    CColorTemperatureRamp engine;
    engine.ApplyColorTemperature(4200, false, 0.5);
    EXPECT_EQ(StoredValue(), L"<missing>");
    engine.ApplyColorTemperature(50000, true, 0.5);
    EXPECT_EQ(StoredValue(), L"50000");
    uint16_t expected[3][256];
    BuildFor(40000, expected);
    EXPECT_EQ(0, memcmp(expected, engine.Ramp(), sizeof expected));
}

TEST_F(GammaRampOnScreen, LoadsTheLibraryOnceAcrossApplications)
{
    CColorTemperatureRamp engine;
    EXPECT_FALSE(engine.IsLoaded());
    engine.ApplyColorTemperature(5000, false, 0.5);
    ASSERT_TRUE(engine.IsLoaded());
    HMODULE first = engine.Module();
    log.Clear();
    engine.ApplyColorTemperature(5100, false, 0.5);
    EXPECT_EQ(engine.Module(), first);
    EXPECT_FALSE(log.Contains(L"LoadLibrary"));
}

TEST_F(GammaRampOnScreen, ProbeReadsAndWritesBackTheCurrentRamp)
{
    CColorTemperatureRamp engine;
    engine.ApplyColorTemperature(3500, false, 0.5);
    TestEnv::TXGammaRamp before, after;
    ASSERT_TRUE(TestEnv::ReadXGammaRamp(before));

    log.Clear();
    EXPECT_NE(ProbeGammaRamp(), 0);
    ASSERT_TRUE(TestEnv::ReadXGammaRamp(after));
    EXPECT_EQ(before.red, after.red);
    EXPECT_EQ(before.green, after.green);
    EXPECT_EQ(before.blue, after.blue);
    // The probe logs entry 1 of each channel as the display reports it.
    wchar_t expected[80];
    swprintf(expected, 80, L"Red %u    Green %u     Blue %u", before.red[1], before.green[1], before.blue[1]);
    EXPECT_TRUE(log.Contains(expected)) << log.Text().c_str();
}
