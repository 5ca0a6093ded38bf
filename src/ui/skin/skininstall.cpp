// Skin installation: local files and packages, and checked, atomic downloads.
#include "ui/skin/skininstall.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/text.h"
#include "platform/urlfetcher.h"
#include "ui/skin/skinfile.h"
#include "ui/skin/skinpackage.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QUrl>

namespace vantrelo {

namespace {

bool EndsWithSkinExtension(const QString& name) {
    return name.endsWith(QLatin1String(".skn"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive);
}

TSkinInstallResult Failure(const QString& error) {
    TSkinInstallResult r;
    r.error = error;
    return r;
}

TSkinInstallResult SaveDownload(const QString& skinsFolder, const QString& url, const QByteArray& body) {
    if (!QDir().mkpath(skinsFolder))
        return Failure(QStringLiteral("The skins folder %1 cannot be created.").arg(skinsFolder));
    QString name = SkinFileNameFromUrl(url);
    if (name.endsWith(QLatin1String(".skn"), Qt::CaseInsensitive) || name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        name.chop(4);
    const QString folder = WithSlash(skinsFolder);
    if (LooksLikeZip(body)) {
        // The package is checked from a private temporary copy before anything is unpacked.
        QTemporaryFile temp(folder + QLatin1String(".download-XXXXXX.zip"));
        if (!temp.open() || temp.write(body) != body.size() || !temp.flush())
            return Failure(QStringLiteral("The downloaded skin cannot be saved in %1.").arg(folder));
        const TPackageResult pkg = InstallSkinPackage(temp.fileName(), folder);
        if (!pkg.ok)
            return Failure(pkg.error);
        const TSaveResult saved = SaveFileAtomic(folder + name + QLatin1String(".zip"), body);
        if (!saved)
            return Failure(saved.error);
        TSkinInstallResult r;
        r.ok = true;
        r.skinPath = pkg.skinPath;
        return r;
    }
    QString why;
    if (!LooksLikeSkin(body, &why))
        return Failure(QStringLiteral("The download from %1 is not a skin: %2").arg(url, why));
    const QString path = folder + name + QLatin1String(".skn");
    const TSaveResult saved = SaveFileAtomic(path, body);
    if (!saved)
        return Failure(saved.error);
    TSkinInstallResult r;
    r.ok = true;
    r.skinPath = path;
    return r;
}

} // namespace

bool IsSkinWebAddress(const QString& text) {
    const QString t = TrimText(text);
    return StartsText(QStringLiteral("http:"), t) || StartsText(QStringLiteral("https:"), t) ||
           StartsText(QStringLiteral("www."), t);
}

QString SkinFileNameFromUrl(const QString& url) {
    QString t = TrimText(url);
    const qsizetype cut = t.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (cut >= 0)
        t.truncate(cut);
    t = t.mid(t.lastIndexOf(u'/') + 1);
    t = QUrl::fromPercentEncoding(t.toUtf8());
    QString out;
    for (const QChar c : t) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                           c == u'.' || c == u'-' || c == u'_' || c == u' ' || c == u'(' || c == u')' || c == u'+';
        out += plain ? c : u'_';
    }
    while (!out.isEmpty() && (out.at(0) == u'.' || out.at(0) == u' '))
        out.remove(0, 1);
    out = TrimText(out).left(100);
    if (out.isEmpty() || out == QLatin1String(".skn") || out == QLatin1String(".zip"))
        out = QStringLiteral("downloaded skin");
    return out;
}

QString SkinStartFolder(const QString& skinname, const QString& programFolder) {
    if (!TrimText(skinname).isEmpty()) {
        const QFileInfo fi(skinname);
        if (fi.absoluteDir().exists())
            return WithSlash(fi.absolutePath());
    }
    const QString shipped = WithSlash(programFolder) + QLatin1String("skins");
    return QFileInfo(shipped).isDir() ? WithSlash(shipped) : QString();
}

QString SkinPathFromParameter(const QString& parameter, const QString& startFolder, const QString& homeFolder) {
    QString p = TrimText(parameter);
    if (!EndsWithSkinExtension(p))
        p += QLatin1String(".skn");
    if (p.startsWith(QLatin1String("~/")))
        return WithSlash(homeFolder) + p.mid(2);
    if (QDir::isAbsolutePath(p))
        return p;
    return WithSlash(startFolder) + p;
}

TSkinInstaller::TSkinInstaller(QString skinsFolder, TUrlFetcher* fetcher)
    : skinsFolder_(WithSlash(skinsFolder)), fetcher_(fetcher) {}

TSkinInstallResult TSkinInstaller::InstallFile(const QString& path) const {
    if (!QFileInfo(path).isFile())
        return Failure(QStringLiteral("The .skn skin file not found (") + path + QStringLiteral(")."));
    if (path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)) {
        const TPackageResult pkg = InstallSkinPackage(path, skinsFolder_);
        if (!pkg.ok)
            return Failure(pkg.error);
        TSkinInstallResult r;
        r.ok = true;
        r.skinPath = pkg.skinPath;
        return r;
    }
    TSkinInstallResult r;
    r.ok = true;
    r.skinPath = path;
    return r;
}

void TSkinInstaller::InstallUrl(const QString& url, std::function<void(const TSkinInstallResult&)> done) const {
    if (!fetcher_) {
        done(Failure(QStringLiteral("Downloading is not available.")));
        return;
    }
    QString address = TrimText(url);
    if (StartsText(QStringLiteral("www."), address))
        address = QLatin1String("https://") + address;
    const QString folder = skinsFolder_;
    fetcher_->Fetch(address, kDownloadTimeoutMs, kMaxDownloadBytes,
                    [folder, address, done = std::move(done)](const TFetchResult& fetched) {
                        if (!fetched.ok) {
                            done(Failure(QStringLiteral("The skin could not be downloaded from %1: %2")
                                             .arg(address, fetched.error)));
                            return;
                        }
                        done(SaveDownload(folder, address, fetched.body));
                    });
}

void TSkinInstaller::Install(const QString& parameter, const QString& startFolder, const QString& homeFolder,
                             std::function<void(const TSkinInstallResult&)> done) const {
    if (IsSkinWebAddress(parameter)) {
        InstallUrl(parameter, std::move(done));
        return;
    }
    done(InstallFile(SkinPathFromParameter(parameter, startFolder, homeFolder)));
}

} // namespace vantrelo
