// The saver that scripts/crash-trials.sh kills: fills a data folder, saves vantrelo.ini in a loop,
// and checks what a killed save left behind.
//   savetrial DIR fill          make a large vantrelo.ini (about 85 KB) in DIR
//   savetrial DIR measure N     print the mean time of one save in microseconds
//   savetrial DIR loop          print "ready", then save for ever, alternating one setting
//   savetrial DIR check         exit 0 when the file is whole (every keyword and history entry)
//   savetrial DIR aim PID       watch DIR, learn how long a save's temporary file lives, then kill
//                               PID with SIGKILL at a random moment while the next one exists
#include "core/settingsstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>

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

using Clock = std::chrono::steady_clock;

bool IsTemp(const inotify_event* e) {
    const std::size_t n = e->len ? std::strlen(e->name) : 0;
    return n > 4 && std::strcmp(e->name + n - 4, ".tmp") == 0;
}

// Kills from outside, as a crash would, but inside a save: a kill at a random time of the whole
// cycle mostly lands between saves, where nothing can be damaged.
int Aim(const QString& folder, pid_t pid) {
    const int fd = ::inotify_init1(0);
    if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_FROM) < 0)
        return 2;
    std::vector<long long> lives;
    Clock::time_point created{};
    alignas(inotify_event) char buf[4096];
    std::mt19937_64 rng(std::random_device{}());
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            return 2;
        for (char* p = buf; p < buf + n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(p);
            p += sizeof(inotify_event) + e->len;
            if (!IsTemp(e))
                continue;
            if (e->mask & IN_CREATE) {
                created = Clock::now();
                if (lives.size() < 5)
                    continue;
                // A random moment of the temporary file's life, spun rather than slept for precision.
                std::sort(lives.begin(), lives.end());
                const long long life = lives[lives.size() / 2];
                const auto at = created + std::chrono::microseconds(
                    std::uniform_int_distribution<long long>(0, std::max(life - 1, 0LL))(rng));
                while (Clock::now() < at) {
                }
                ::kill(pid, SIGKILL);
                return 0;
            }
            if ((e->mask & IN_MOVED_FROM) && created != Clock::time_point{})
                lives.push_back(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - created).count());
        }
    }
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
    if (mode == QLatin1String("aim"))
        return Aim(folder, static_cast<pid_t>(args.value(3).toLongLong()));
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
