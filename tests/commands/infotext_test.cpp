// The information line's template: each variable, the address cache and the text for an empty result.
#include "commands/infotext.h"
#include "platform/memoryinfo.h"
#include "platform/networkinfo.h"
#include "support/timefakes.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

struct CountingNetwork final : TNetworkInfo {
    mutable int reads = 0;
    QStringList LocalIPv4Addresses() const override {
        ++reads;
        return {Q("192.168.1.5"), Q("10.0.0.2")};
    }
};

struct FixedMemory final : TMemoryInfo {
    std::optional<TMemoryStatus> Memory() const override { return TMemoryStatus{8ull << 30, 2ull << 30}; }
};

struct InfoFixture : testing::Test {
    TFakeClock clock; // Tuesday 5 March 2024, 14:07:09
    TFakeScheduler ticks;
    CountingNetwork network;
    FixedMemory memory;
    TInfoText info{{&clock, &ticks, &network, &memory, Q("1.2.0.0"), Q("2026-12-10"), QLocale(QLocale::English)}};
};

} // namespace

TEST_F(InfoFixture, EveryLowerCaseVariableIsReplaced) {
    const std::pair<const char*, const char*> cases[] = {
        {"RAM $mpct$", "RAM 75%"},
        {"$mfree$ + $mused$ = $mtotal$", "2048MB + 6144MB = 8192MB"},
        {"$ip$ / $ip1$", "192.168.1.5, 10.0.0.2 / 192.168.1.5"},
        {"week $wnum$", "week 10"},
        {"$v$", "1.2.0.0 Build date: 2026-12-10"},
        {"$MPCT$ $Ip$", "$MPCT$ $Ip$"},
        {"plain text", "plain text"},
    };
    for (const auto& [tmpl, text] : cases)
        EXPECT_EQ(info.Build(Q(tmpl), QString()), Q(text)) << tmpl;
    EXPECT_TRUE(info.Build(Q("$dd$"), QString()).endsWith(Q(", Tue. 05-03-2024")));
    EXPECT_TRUE(info.Build(Q("$ddd$"), QString()).endsWith(Q(", Tuesday 05. March 2024")));
    EXPECT_EQ(info.Build(Q("[$ct$]"), Q("yyyy/mm")), Q("[2024/03]"));
    EXPECT_EQ(info.Build(QString(), QString()), Q(kInfoEmpty));
}

TEST_F(InfoFixture, AddressesAreReadAtMostOnceIn50Seconds) {
    for (int second = 0; second < 120; ++second) {
        info.Build(Q("$ip$"), QString());
        ticks.Advance(1000);
    }
    EXPECT_EQ(network.reads, 3);
}
