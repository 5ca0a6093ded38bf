// Reading skin packages through minizip: list, check every name and size, then unpack.
#include "ui/skin/skinpackage.h"

#include "core/atomicfile.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

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

enum class TKind { Missing, Folder, File, Other };

TKind KindOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return TKind::Missing;
    if (S_ISDIR(st.st_mode))
        return TKind::Folder;
    return S_ISREG(st.st_mode) ? TKind::File : TKind::Other; // links count as other
}

// A private folder beside the skins folder that receives the whole package first, so that a
// refused package leaves the skins folder exactly as it was. Removed with whatever it still holds.
class TStaging {
public:
    explicit TStaging(const QString& skinsFolder) {
        const QFileInfo info(skinsFolder);
        const QString parent = info.absolutePath();
        if (!QDir().mkpath(parent))
            return;
        QByteArray tmpl = QFile::encodeName(parent + QLatin1String("/.") + info.fileName() + QLatin1String(".install-XXXXXX"));
        if (::mkdtemp(tmpl.data()))
            root_ = QFile::decodeName(tmpl);
    }
    ~TStaging() {
        if (!root_.isEmpty())
            QDir(root_).removeRecursively();
    }
    TStaging(const TStaging&) = delete;
    TStaging& operator=(const TStaging&) = delete;

    bool Made() const { return !root_.isEmpty(); }

    // Entries that clash (a file where a folder is wanted or the other way round) fail here.
    bool Put(const QString& rel, bool folder, const QByteArray& bytes) {
        const QString target = root_ + u'/' + rel;
        if (folder)
            return QDir().mkpath(target) && KindOf(target) == TKind::Folder;
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || KindOf(target) == TKind::Folder)
            return false;
        if (!SaveFileAtomic(target, bytes))
            return false;
        if (!staged_.contains(rel))
            staged_ << rel;
        return true;
    }

    // Every staged path may take its place: nothing in the way is a link (which the package would
    // replace or write through) or of the other kind.
    bool FitsInto(const QString& skinsFolder, QString& clash) const {
        if (KindOf(skinsFolder) == TKind::Missing)
            return true;
        QDirIterator it(root_, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString staged = it.next();
            const QString rel = staged.mid(root_.size() + 1);
            const TKind there = KindOf(skinsFolder + u'/' + rel);
            if (there != TKind::Missing && there != KindOf(staged)) {
                clash = rel;
                return false;
            }
        }
        return true;
    }

    // Renames the staged tree into place: the whole folder when the skins folder is new, else each
    // file (and each folder that is new) into the existing tree.
    bool MoveInto(const QString& skinsFolder, QStringList& written, QString& error) {
        QStringList files = staged_;
        files.sort();
        for (const QString& rel : files)
            if (KindOf(root_ + u'/' + rel) == TKind::File)
                written << skinsFolder + u'/' + rel;
        if (KindOf(skinsFolder) == TKind::Missing) {
            if (!Rename(root_, skinsFolder, error))
                return false;
            root_.clear();
            return true;
        }
        QStringList all;
        QDirIterator it(root_, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            all << it.next().mid(root_.size() + 1);
        all.sort(); // parents before their contents
        for (const QString& rel : all) {
            const QString from = root_ + u'/' + rel;
            const QString to = skinsFolder + u'/' + rel;
            const TKind kind = KindOf(from);
            // Gone: it went with a folder moved whole. A folder that exists takes the contents.
            if (kind == TKind::Missing || (kind == TKind::Folder && KindOf(to) == TKind::Folder))
                continue;
            if (!Rename(from, to, error))
                return false;
        }
        return true;
    }

private:
    static bool Rename(const QString& from, const QString& to, QString& error) {
        if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
            return true;
        error = QStringLiteral("%1 cannot be put in place (%2)").arg(to, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }

    QString root_;
    QStringList staged_;
};

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

    const QString folder = QDir::cleanPath(skinsFolder);
    TStaging staging(folder);
    if (!staging.Made()) {
        r.error = notInstalled.arg(zipPath, QStringLiteral("the folder %1 cannot be created").arg(folder));
        return r;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!staging.Put(Normalised(entries[i].name), entries[i].folder, contents[i])) {
            r.error = notInstalled.arg(zipPath, QStringLiteral("the entry \"%1\" clashes with another entry")
                                                    .arg(entries[i].name));
            return r;
        }
    }
    QString clash;
    if (!staging.FitsInto(folder, clash)) {
        r.error = notInstalled.arg(
            zipPath, QStringLiteral("\"%1\" in the skins folder is a link or of another kind than the entry").arg(clash));
        return r;
    }
    QString error;
    if (!staging.MoveInto(folder, r.written, error)) {
        r.error = QStringLiteral("The zip file (%1) was not installed completely: %2.").arg(zipPath, error);
        return r;
    }
    r.ok = true;
    r.skinPath = folder + u'/' + skin;
    return r;
}

} // namespace vantrelo
