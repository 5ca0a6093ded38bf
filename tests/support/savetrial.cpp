// The saver that scripts/crash-trials.sh kills: fills a data folder, saves vantrelo.ini in a loop,
// and checks what a killed save left behind.
//   savetrial DIR fill          make a large vantrelo.ini (about 85 KB) in DIR
//   savetrial DIR measure N     print the mean time of one save in microseconds
//   savetrial DIR loop          print "ready", then save for ever, alternating one setting
//   savetrial DIR check         exit 0 when the file is whole (every keyword and history entry)
#include "core/settingsstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace vantrelo;

namespace {

constexpr int kKeywords = 950;
constexpr int kHistory = 200;

bool Whole(const TUserData& user) {
    if (user.keywords.size() != kKeywords || user.history.size() != kHistory)
        return false;
    for (int i = 0; i < kKeywords; ++i)
        if (!user.keywords.FindKeyword(QStringLiteral("keyword%1").arg(i), false))
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    QString folder = args.at(1);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    TSettingsStore store(TPlaces{folder, folder});
    TUserData user;
    const QString mode = args.at(2);
    if (mode == QLatin1String("fill")) {
        store.ReadSettings(user, nullptr);
        user.keywords.Clear();
        for (int i = 0; i < kKeywords; ++i)
            user.keywords.Add(MakeNewKeyword(QStringLiteral("keyword%1").arg(i),
                                             QStringLiteral("https://example.org/search?q=$U$&n=%1").arg(i), QString()));
        for (int i = kHistory - 1; i >= 0; --i)
            user.history.AddToHistory(QStringLiteral("history entry %1 with some typed text").arg(i), nullptr, false, false);
        user.settings.maxhistory = kHistory;
        return store.WriteSettings(user).ok ? 0 : 1;
    }
    const TLoadResult loaded = store.ReadSettings(user, nullptr);
    if (mode == QLatin1String("check"))
        return loaded.state == TLoadState::Loaded && Whole(user) ? 0 : 1;
    if (mode == QLatin1String("measure")) {
        const int n = args.value(3).toInt();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n; ++i) {
            user.settings.hide = !user.settings.hide;
            if (!store.WriteSettings(user).ok)
                return 1;
        }
        std::printf("%lld\n", static_cast<long long>(t.nsecsElapsed() / 1000 / std::max(n, 1)));
        return 0;
    }
    if (mode == QLatin1String("loop")) {
        std::printf("ready\n");
        std::fflush(stdout);
        for (;;) {
            user.settings.hide = !user.settings.hide;
            if (!store.WriteSettings(user).ok)
                return 1;
        }
    }
    return 2;
}
