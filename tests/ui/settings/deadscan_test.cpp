// The invalid-keyword scan over a fixed set of present files and folders.
#include "core/items.h"
#include "core/keywordlist.h"
#include "ui/settings/deadscan.h"

#include <QSet>
#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(DeadScan, OnlyMissingLocalPathsAreReported) {
    const QSet<QString> present{"/usr/bin/xterm", "/opt/My App/run", "/media/usb", "/home/u/docs", "/mnt/nas"};
    const auto exists = [&](const QString& p) { return present.contains(p); };
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/xterm", nullptr},
        {"/usr/bin/xterm -e top", nullptr},              // arguments after a plain path
        {"\"/opt/My App/run\" --fast", nullptr},          // a quoted program path with arguments
        {"/opt/missing/app", "not found: /opt/missing/app"},
        {"\"/opt/gone/x\" -v", "not found: /opt/gone/x"},
        {"/home/u/docs", nullptr},
        {"/media/usb/missing.txt", "not found: /media/usb/missing.txt"}, // the volume is there
        {"/media/offline/file.txt", nullptr},             // a volume that is not mounted
        {"/run/media/u/stick/a.pdf", nullptr},
        {"/mnt/other/a", nullptr},
        {"//server/share/x", nullptr},
        {"https://example.org", nullptr},
        {"xterm", nullptr},                               // a program found through PATH
        {"/missing/a||/missing/b", nullptr},              // several commands: not judged
        {"file:///opt/nothing", "not found: /opt/nothing"},
    };
    TKeywordList words;
    for (const auto& [command, reason] : cases)
        words.Add(MakeNewKeyword(QString("k%1").arg(words.size()), command, QString()));
    const auto dead = FindDeadKeywords(words, "||", [](const QString& c) { return c; }, exists);
    std::vector<std::pair<qsizetype, QString>> got, want;
    for (const TDeadKeyword& d : dead)
        got.emplace_back(d.position, d.reason);
    for (size_t i = 0; i < std::size(cases); ++i)
        if (cases[i].second)
            want.emplace_back(qsizetype(i), cases[i].second);
    EXPECT_EQ(got, want);
}

} // namespace
} // namespace vantrelo
