// Reading skin packages through minizip: list, check every name and size, then unpack.
#include "ui/skin/skinpackage.h"

#include "core/atomicfile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <unzip.h>

#include <memory>
#include <vector>

namespace vantrelo {

namespace {

// Limits against archives that unpack into far more than a skin needs.
constexpr int kMaxEntries = 2000;
constexpr qint64 kMaxEntryBytes = 32LL * 1024 * 1024;
constexpr qint64 kMaxTotalBytes = 128LL * 1024 * 1024;

struct TUnzipCloser {
    void operator()(void* f) const { unzClose(static_cast<unzFile>(f)); }
};
using TUnzip = std::unique_ptr<void, TUnzipCloser>;

struct TEntry {
    QString name; // with "/" separators
    bool folder = false;
    qint64 size = 0;
    bool encrypted = false;
};

QString Normalised(const QString& name) {
    QString n = name;
    n.replace(u'\\', u'/');
    QStringList parts;
    for (const QString& p : n.split(u'/', Qt::SkipEmptyParts))
        if (p != QLatin1String("."))
            parts << p;
    return parts.join(u'/');
}

bool ListEntries(unzFile uf, std::vector<TEntry>& entries, QString& why) {
    int rc = unzGoToFirstFile(uf);
    while (rc == UNZ_OK) {
        if (int(entries.size()) >= kMaxEntries) {
            why = QStringLiteral("it holds too many files");
            return false;
        }
        unz_file_info64 info{};
        char name[1024];
        if (unzGetCurrentFileInfo64(uf, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
            why = QStringLiteral("its table of contents cannot be read");
            return false;
        }
        TEntry e;
        e.name = QString::fromUtf8(name, qsizetype(qstrnlen(name, sizeof name)));
        e.folder = e.name.endsWith(u'/') || e.name.endsWith(u'\\');
        e.size = qint64(info.uncompressed_size);
        e.encrypted = (info.flag & 1) != 0;
        entries.push_back(e);
        rc = unzGoToNextFile(uf);
    }
    if (rc != UNZ_END_OF_LIST_OF_FILE) {
        why = QStringLiteral("its table of contents cannot be read");
        return false;
    }
    return true;
}

bool ReadCurrent(unzFile uf, qint64 declared, QByteArray& out) {
    if (unzOpenCurrentFile(uf) != UNZ_OK)
        return false;
    out.clear();
    out.reserve(qsizetype(declared));
    char buf[32768];
    bool ok = true;
    for (;;) {
        const int n = unzReadCurrentFile(uf, buf, sizeof buf);
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        // The declared size may lie: the limit holds for what really comes out.
        if (out.size() + n > declared || out.size() + n > kMaxEntryBytes) {
            ok = false;
            break;
        }
        out.append(buf, n);
    }
    // A CRC mismatch is reported when the entry is closed.
    return unzCloseCurrentFile(uf) == UNZ_OK && ok && out.size() == declared;
}

bool Inside(const QString& folderCanonical, const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return !c.isEmpty() && (c == folderCanonical || c.startsWith(folderCanonical + u'/'));
}

} // namespace

bool IsSafeEntryName(const QString& name) {
    if (name.isEmpty())
        return false;
    QString n = name;
    n.replace(u'\\', u'/');
    if (n.startsWith(u'/') || (n.size() >= 2 && n.at(1) == u':'))
        return false;
    for (const QChar c : n)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    for (const QString& p : n.split(u'/', Qt::SkipEmptyParts))
        if (p == QLatin1String(".."))
            return false;
    return !Normalised(n).isEmpty();
}

bool LooksLikeZip(const QByteArray& bytes) { return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"); }

TPackageResult InstallSkinPackage(const QString& zipPath, const QString& skinsFolder) {
    TPackageResult r;
    const QString notInstalled = QStringLiteral("The zip file (%1) cannot be installed: %2. Nothing was installed.");
    TUnzip uf(unzOpen64(QFile::encodeName(zipPath).constData()));
    if (!uf) {
        r.error = notInstalled.arg(zipPath, QStringLiteral("it is not a readable zip file"));
        return r;
    }
    std::vector<TEntry> entries;
    QString why;
    if (!ListEntries(static_cast<unzFile>(uf.get()), entries, why)) {
        r.error = notInstalled.arg(zipPath, why);
        return r;
    }
    qint64 total = 0;
    QString skin;
    for (const TEntry& e : entries) {
        if (!IsSafeEntryName(e.name)) {
            r.error = notInstalled.arg(zipPath, QStringLiteral("the entry \"%1\" would be written outside the skins folder").arg(e.name));
            return r;
        }
        if (e.encrypted) {
            r.error = notInstalled.arg(zipPath, QStringLiteral("the entry \"%1\" is encrypted").arg(e.name));
            return r;
        }
        if (e.size > kMaxEntryBytes || (total += e.size) > kMaxTotalBytes) {
            r.error = notInstalled.arg(zipPath, QStringLiteral("it unpacks into more than a skin needs"));
            return r;
        }
        if (!e.folder && e.name.endsWith(QLatin1String(".skn"), Qt::CaseInsensitive))
            skin = Normalised(e.name);
    }
    if (skin.isEmpty()) {
        r.error = QStringLiteral("Could not find a \".skn\" skin file inside the zip file (") + zipPath + QStringLiteral(").");
        return r;
    }

    const QString folder = QDir::cleanPath(skinsFolder);
    if (!QDir().mkpath(folder)) {
        r.error = notInstalled.arg(zipPath, QStringLiteral("the folder %1 cannot be created").arg(folder));
        return r;
    }
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    // Every entry is read and checked before the first file is written.
    unzFile z = static_cast<unzFile>(uf.get());
    std::vector<QByteArray> contents(entries.size());
    int index = 0;
    for (int rc = unzGoToFirstFile(z); rc == UNZ_OK; rc = unzGoToNextFile(z), ++index) {
        const TEntry& e = entries[size_t(index)];
        if (!e.folder && !ReadCurrent(z, e.size, contents[size_t(index)])) {
            r.error = notInstalled.arg(zipPath, QStringLiteral("the entry \"%1\" is damaged").arg(e.name));
            return r;
        }
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const TEntry& e = entries[i];
        const QString target = folder + u'/' + Normalised(e.name);
        const QString parent = e.folder ? target : QFileInfo(target).absolutePath();
        // A folder that already exists as a link must not carry the files somewhere else.
        if (!QDir().mkpath(parent) || !Inside(canonical, parent)) {
            r.error = notInstalled.arg(zipPath, QStringLiteral("the entry \"%1\" would be written outside the skins folder").arg(e.name));
            return r;
        }
        if (e.folder)
            continue;
        const TSaveResult saved = SaveFileAtomic(target, contents[i]);
        if (!saved) {
            r.error = saved.error;
            return r;
        }
        r.written << target;
    }
    r.ok = true;
    r.skinPath = folder + u'/' + skin;
    return r;
}

} // namespace vantrelo
