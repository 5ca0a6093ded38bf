// Skin packages: any archive installs whole or leaves the skins folder exactly as it was, and
// nothing is ever written outside it.
#include "fuzzsupport.h"
#include "ui/skin/skinpackage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

using namespace vantrelo;

namespace {

QStringList Tree(const QString& root) {
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 256 * 1024)
        return 0;
    QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("package.zip"));
    QFile f(zip);
    if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    f.close();
    const QString skins = dir.filePath(QStringLiteral("data/skins"));
    QDir().mkpath(skins + QStringLiteral("/old"));
    QFile::link(dir.path(), skins + QStringLiteral("/link"));
    const QStringList before = Tree(dir.path());
    const TPackageResult r = InstallSkinPackage(zip, skins);
    const QStringList after = Tree(dir.path());
    if (!r.ok)
        fuzz::Require(after == before, "a refused package leaves everything as it was");
    for (const QString& path : after)
        fuzz::Require(path == zip || path.startsWith(dir.filePath(QStringLiteral("data/skins"))) ||
                          path == dir.filePath(QStringLiteral("data")),
                      "nothing is written outside the skins folder");
    return 0;
}
