// The configuration path's costs: the cipher's key schedule and throughput,
// and parsing a configuration document into its tables.
#include "tools/bench/Bench.h"

#include "biz/BlowFishEnc.h"
#include "biz/ConfigReader.h"
#include "biz/SafeXml.h"

#include <string>
#include <vector>

namespace {

std::string SampleDocument()
{
    std::string modules;
    for (int i = 0; i < 20; ++i)
        modules += "<Module name=\"m" + std::to_string(i) + "\"><Config>{\"a\":\"1\",\"b\":\"2\"}</Config></Module>";
    return "<Configs version=\"1\"><Globle><Urls>u</Urls><API>{\"BaseUrl\":{\"Url\":\"https://a/\"},"
           "\"X\":{\"Url\":\"x\",\"Method\":\"get\"}}</API><Config>{\"CheckDigitalCertify\":\"1\"}</Config>"
           "</Globle>" +
           modules + "</Configs>";
}

} // namespace

REGISTER_BENCH("cipher", [] {
    Bench::Report("BlowFishEnc construction (key schedule)", 1e6 * Bench::TimePerCall([] { BlowFishEnc cipher; }),
                  "us");
    BlowFishEnc cipher;
    std::vector<uint8_t> buffer(64 * 1024, 0x5A);
    double seconds = Bench::TimePerCall([&] { cipher.Encrypt(buffer.data(), buffer.size(), buffer.data()); });
    Bench::Report("Encrypt 64 KiB in place", double(buffer.size()) / seconds / 1e6, "MB/s");
    seconds = Bench::TimePerCall([&] { cipher.Decrypt(buffer.data(), buffer.size(), buffer.data()); });
    Bench::Report("Decrypt 64 KiB in place", double(buffer.size()) / seconds / 1e6, "MB/s");
});

REGISTER_BENCH("config", [] {
    const std::string document = SampleDocument();
    double seconds = Bench::TimePerCall([&] {
        CConfigReader reader;
        reader.ParseConfig(document.c_str());
    });
    Bench::Report("ParseConfig, 21 elements (caller's stack)", 1e6 * seconds, "us");
    std::string large = "<Configs version=\"1\">";
    for (int i = 0; i < 1000; ++i)
        large += "<Module name=\"m\"><Config>{}</Config></Module>";
    large += "</Configs>";
    seconds = Bench::TimePerCall([&] {
        CConfigReader reader;
        reader.ParseConfig(large.c_str());
    });
    Bench::Report("ParseConfig, 2001 elements (large-stack thread)", 1e6 * seconds, "us");
    seconds = Bench::TimePerCall([] { SafeXml::CallOnLargeStack([] {}); });
    Bench::Report("Starting and joining the large-stack thread", 1e6 * seconds, "us");
});
