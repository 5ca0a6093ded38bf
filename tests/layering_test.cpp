// The include order of the source folders: a folder includes only from the folders below it.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace {

// Lowest first. A folder may include its own headers and those of lower layers; folders on one
// layer do not include each other.
struct TLayer {
    const char* folder;
    int rank;
};
constexpr TLayer kLayers[] = {
    {"core", 0},
    {"platform", 1},         // interfaces over the operating system
    {"platform/linux", 2},   // their implementations
    {"platform/startup", 2}, // start and stop, command line, dash commands over the interfaces
    {"platform/hotkeys", 2}, // keyword hotkeys and the Windows-key modes over the interfaces
    {"tools", 3},
    {"index", 3},
    {"exec", 4},
    {"commands", 5},
    {"suggest", 5},
    {"ui/skin", 6},
    {"ui", 7},
    {"browser", 8},
    {"app", 9},
    {"cli", 10},
};

// The folder of a path relative to src/: the longest listed folder it lies in.
std::optional<TLayer> LayerOf(const QString& path) {
    std::optional<TLayer> best;
    for (const TLayer& l : kLayers) {
        const QString folder = QString::fromLatin1(l.folder) + u'/';
        if (path.startsWith(folder) && (!best || qstrlen(l.folder) > qstrlen(best->folder)))
            best = l;
    }
    return best;
}

// Why `from` may not include `included` (both relative to src/); nothing when it may.
std::optional<QString> Violation(const QString& from, const QString& included) {
    const std::optional<TLayer> a = LayerOf(from);
    const std::optional<TLayer> b = LayerOf(included);
    if (!a || !b || qstrcmp(a->folder, b->folder) == 0)
        return std::nullopt;
    const QString what = from + QStringLiteral(" includes ") + included;
    // The implementations are chosen by the programs, never by the logic.
    if (qstrcmp(b->folder, "platform/linux") == 0 && a->rank < 9)
        return what + QStringLiteral(": only the programs pick the Linux implementations");
    // The command-line tool shares the engine with the launcher, nothing of its windows.
    if (qstrcmp(a->folder, "cli") == 0 && qstrcmp(b->folder, "app") == 0 && included != QLatin1String("app/engine.h"))
        return what + QStringLiteral(": the tool takes only the engine from the launcher");
    if (b->rank < a->rank)
        return std::nullopt;
    return what + (b->rank == a->rank ? QStringLiteral(": folders of one layer do not include each other")
                                      : QStringLiteral(": an include against the layer order"));
}

TEST(Layering, TheRulesRefuseWhatGoesUpOrSideways) {
    const struct {
        const char* from;
        const char* included;
        bool ok;
    } cases[] = {
        {"exec/pipeline.cpp", "core/items.h", true},
        {"exec/pipeline.cpp", "exec/launcher.h", true},
        {"core/items.cpp", "exec/pipeline.h", false},
        {"platform/scheduler.h", "core/items.h", true},
        {"core/history.cpp", "platform/clock.h", false},
        {"suggest/listbuilder.cpp", "exec/inputline.h", true},
        {"suggest/listbuilder.cpp", "commands/dispatcher.h", false},
        {"exec/launcher.cpp", "platform/linux/xdesktop.h", false},
        {"app/application.cpp", "platform/linux/xdesktop.h", true},
        {"platform/linux/localinstance_linux.cpp", "platform/startup/startup.h", false},
        {"ui/mainform.h", "ui/skin/skinfile.h", true},
        {"ui/skin/skinfile.cpp", "ui/mainform.h", false},
        {"cli/verbs_run.cpp", "app/engine.h", true},
        {"cli/verbs_run.cpp", "app/application.h", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!Violation(QString::fromLatin1(c.from), QString::fromLatin1(c.included)), c.ok)
            << c.from << " -> " << c.included;
}

TEST(Layering, EveryIncludeOfTheSourcesFollowsTheOrder) {
    const QString src = QStringLiteral(VANTRELO_SOURCE_DIR "/src/");
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    QStringList violations;
    int files = 0;
    for (QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        const QString from = path.mid(src.size());
        QTextStream in(&f);
        while (!in.atEnd()) {
            const QRegularExpressionMatch m = include.match(in.readLine());
            if (m.hasMatch())
                if (const std::optional<QString> v = Violation(from, m.captured(1)))
                    violations << *v;
        }
    }
    EXPECT_GT(files, 100); // the tree was really read
    EXPECT_TRUE(violations.isEmpty()) << violations.join(u'\n').toStdString();
}

} // namespace
