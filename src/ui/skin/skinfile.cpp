// Skin files: every value is read and checked into a staging record before any of it is taken.
#include "ui/skin/skinfile.h"

#include "core/inifile.h"
#include "core/text.h"
#include "ui/skin/skinlayout.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace vantrelo {

namespace {

const QString kSection = QStringLiteral("skinvalues");

int Channel(int colour, int shift) { return (colour >> shift) & 0xFF; }

int MoveChannel(int value, double delta) {
    return int(std::nearbyint(std::clamp(double(value) + delta, 0.0, 255.0))); // ties to even
}

int ShiftBy(int colour, double delta) {
    return MoveChannel(Channel(colour, 0), delta) | (MoveChannel(Channel(colour, 8), delta) << 8) |
           (MoveChannel(Channel(colour, 16), delta) << 16);
}

// Everything the skin file says, each value already checked; absent keys stay empty.
struct TStage {
    std::optional<int> skintype;
    std::optional<int> windowcolor, inputwindowcolor, textcolor, textbackcolor, fillcolor, arrowcolor,
        outlinecolor, listtitlecolor, titlecolor;
    std::optional<bool> showcombo, fontbold, bordertweaks;
    std::optional<QString> fontname, listfontname, titlefontname, listfillmode;
    std::optional<int> fontsize, transactive, transinactive, maxvisible, listfontsize, listrowheight, failcolor;
    std::optional<int> listtextcolor, listfocustextcolor, listfocusbgcolor;
    std::optional<int> bordersizewindow, bordersizelist, minimumwidth;
    QString listtilepicture, listtilepictureposition, skintilepicture, skintilepictureposition;
    QString message;
};

class TStageReader {
public:
    TStageReader(const TMemIniFile& ini, const QString& label) : ini_(ini), label_(label) {}

    bool Value(const char* key, QString& value) const {
        const QString k = QLatin1String(key);
        if (!ini_.ValueExists(kSection, k))
            return false;
        value = TrimText(ini_.ReadString(kSection, k, QString()));
        return !value.isEmpty();
    }
    bool Colour(const char* key, std::optional<int>& out) {
        QString v;
        if (!Value(key, v))
            return true;
        int c = 0;
        if (!ParseSkinColour(v, c)) {
            error_ = QStringLiteral("The skin file %1 has an invalid colour for \"%2\": \"%3\".")
                         .arg(label_, QLatin1String(key), v);
            return false;
        }
        out = c;
        return true;
    }
    // A number that is not a number takes the fallback; the value is kept within [lo, hi].
    void Integer(const char* key, std::optional<int>& out, int fallback, int lo, int hi) const {
        QString v;
        if (!Value(key, v))
            return;
        int n = 0;
        out = std::clamp(TMemIniFile::ParseInteger(v, n) ? n : fallback, lo, hi);
    }
    void Boolean(const char* key, std::optional<bool>& out) const {
        QString v;
        int n = 0;
        if (Value(key, v) && TMemIniFile::ParseInteger(v, n))
            out = n != 0;
    }
    void Text(const char* key, std::optional<QString>& out) const {
        QString v;
        if (Value(key, v))
            out = v;
    }
    QString Text(const char* key) const {
        QString v;
        Value(key, v);
        return v;
    }
    // Picture names: only .bmp, .jpg and .png are taken.
    QString Picture(const char* key) const {
        const QString v = Text(key);
        for (const char* ext : {".bmp", ".jpg", ".png"})
            if (v.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
                return v;
        return {};
    }
    const QString& Error() const { return error_; }

private:
    const TMemIniFile& ini_;
    QString label_;
    QString error_;
};

int SettingLo(const char* key) { return FindSetting(QLatin1String(key))->lo; }
int SettingHi(const char* key) { return FindSetting(QLatin1String(key))->hi; }

bool ReadStage(const TMemIniFile& ini, const QString& label, TStage& st, QString& error) {
    TStageReader r(ini, label);
    const int t = SkinTypeFromText(r.Text("skintype"));
    if (t >= 0)
        st.skintype = t;
    const bool coloursOk = r.Colour("windowcolor", st.windowcolor) && r.Colour("inputwindowcolor", st.inputwindowcolor) &&
                           r.Colour("textcolor", st.textcolor) && r.Colour("textbackcolor", st.textbackcolor) &&
                           r.Colour("buttonfillcolor", st.fillcolor) && r.Colour("buttonarrowcolor", st.arrowcolor) &&
                           r.Colour("buttonoutlinecolor", st.outlinecolor) &&
                           r.Colour("listtitlecolor", st.listtitlecolor) && r.Colour("titletextcolor", st.titlecolor) &&
                           r.Colour("listtextcolor", st.listtextcolor) &&
                           r.Colour("listfocustextcolor", st.listfocustextcolor) &&
                           r.Colour("listfocusbgcolor", st.listfocusbgcolor);
    if (!coloursOk) {
        error = r.Error();
        return false;
    }
    r.Boolean("showcombo", st.showcombo);
    r.Text("fontname", st.fontname);
    r.Integer("fontsize", st.fontsize, 8, SettingLo("fontsize"), SettingHi("fontsize"));
    r.Boolean("fontbold", st.fontbold);
    r.Integer("transactive", st.transactive, 255, 0, 255);
    r.Integer("transinactive", st.transinactive, 255, 0, 255);
    r.Integer("listitems", st.maxvisible, 20, SettingLo("maxvisible"), SettingHi("maxvisible"));
    r.Text("listfontname", st.listfontname);
    r.Integer("listfontsize", st.listfontsize, 8, SettingLo("listfontsize"), SettingHi("listfontsize"));
    r.Integer("listrowheight", st.listrowheight, 17, SettingLo("listrowheight"), SettingHi("listrowheight"));
    // failcolor alone is an integer colour value (0x00BBGGRR), as the settings file writes it.
    r.Integer("failcolor", st.failcolor, 255, 0, 0xFFFFFF);
    st.message = r.Text("message");

    st.listtilepictureposition = LowerText(r.Text("listtilepictureposition"));
    st.listtilepicture = r.Picture("listtilepicture");
    st.skintilepicture = r.Picture("skintilepicture");
    st.skintilepictureposition = LowerText(r.Text("skintilepictureposition"));
    r.Text("listfillmode", st.listfillmode);
    if (st.listfillmode)
        st.listfillmode = LowerText(*st.listfillmode);
    r.Integer("bordersizewindow", st.bordersizewindow, 2, 0, 64);
    r.Integer("bordersizelist", st.bordersizelist, 2, 0, 64);
    r.Boolean("bordertweaks", st.bordertweaks);
    r.Integer("minimumwidth", st.minimumwidth, 477, 0, 8192);
    r.Text("titlefontname", st.titlefontname);
    return true;
}

// Pictures larger than this are refused: a skin background never needs more.
constexpr int kMaxPictureSide = 8192;

struct TPictureRoots {
    QString skinFolder;
    QString programFolder;
};

bool Within(const QString& root, const QString& path) {
    const QString r = QFileInfo(root).canonicalFilePath();
    return !r.isEmpty() && (path == r || path.startsWith(r == QLatin1String("/") ? r : r + u'/'));
}

// A picture of the skin: inside the skin's own folder (a shipped skin may also use the program's
// folder), links resolved first, and its size taken from the header before anything is decoded.
QImage LoadPicture(const TPictureRoots& roots, const QString& name, QString& file) {
    file.clear();
    if (name.isEmpty())
        return {};
    QString rel = name;
    rel.replace(u'\\', u'/');
    const QString path = QDir::isAbsolutePath(rel) ? rel : QDir(roots.skinFolder).filePath(rel);
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty() || !QFileInfo(real).isFile())
        return {};
    const bool shipped = !roots.programFolder.isEmpty() && Within(roots.programFolder, QFileInfo(roots.skinFolder).canonicalFilePath());
    if (!Within(roots.skinFolder, real) && !(shipped && Within(roots.programFolder, real)))
        return {};
    QImageReader reader(real);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return {};
    QImage img = reader.read();
    if (img.isNull() || img.width() > kMaxPictureSide || img.height() > kMaxPictureSide)
        return {};
    file = QDir::cleanPath(path);
    return img;
}

void TakeLayout(const TStage& st, const TPictureRoots& folder, const TSettings& s, TSkinLayout& l) {
    l = DefaultSkinLayout(s);
    if (st.listtextcolor)
        l.listtextcolor = *st.listtextcolor;
    if (st.listfocustextcolor)
        l.listfocustextcolor = *st.listfocustextcolor;
    if (st.listfocusbgcolor)
        l.listfocusbgcolor = *st.listfocusbgcolor;
    l.listfillmode = st.listfillmode.value_or(QString());
    l.titlefontname = st.titlefontname.value_or(QString());
    l.bordersizewindow = st.bordersizewindow.value_or(2);
    l.bordersizelist = st.bordersizelist.value_or(2);
    l.bordertweaks = st.bordertweaks.value_or(true);
    l.minimumwidth = st.minimumwidth.value_or(0);

    l.listtilepictureposition = st.listtilepictureposition;
    l.listpicture = LoadPicture(folder, st.listtilepicture, l.listpicturefile);
    l.skintilepictureposition = st.skintilepictureposition;
    QString& pos = l.listtilepictureposition;
    if (!l.listpicture.isNull() && (pos == QLatin1String("centermerge") || pos == QLatin1String("cover"))) {
        // One picture behind both windows only makes sense when the list opens by itself.
        if (s.autodropdown != s.listbehaveslikedropdown) {
            l.skinpicture = l.listpicture;
            l.skinpicturefile = l.listpicturefile;
        } else {
            pos = pos == QLatin1String("cover") ? QStringLiteral("coverlist") : QStringLiteral("center");
        }
    }
    if (pos != QLatin1String("centermerge") && pos != QLatin1String("cover"))
        l.skinpicture = LoadPicture(folder, st.skintilepicture, l.skinpicturefile);

    if (s.listtitlecolor == 1234) {
        l.titlecolor = st.titlecolor;
        l.listtitlecolor = st.listtitlecolor ? *st.listtitlecolor : ShiftColour(s.textbackcolor, 138);
    }
}

} // namespace

bool ParseSkinColour(const QString& text, int& colour) {
    QString t = TrimText(text);
    if (t.startsWith(u'#'))
        t = t.mid(1);
    if (t.isEmpty() || t.size() > 6)
        return false;
    bool ok = false;
    const int rgb = t.toInt(&ok, 16);
    if (!ok || rgb < 0)
        return false;
    colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

QString SkinColourText(int colour) {
    const int rgb = (Channel(colour, 0) << 16) | (Channel(colour, 8) << 8) | Channel(colour, 16);
    return u'#' + QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

QColor ToQColor(int colour) { return QColor(Channel(colour, 0), Channel(colour, 8), Channel(colour, 16)); }

int FromQColor(const QColor& colour) { return colour.red() | (colour.green() << 8) | (colour.blue() << 16); }

int ShiftColour(int colour, int amount) {
    const bool light = Channel(colour, 0) > 180 || Channel(colour, 8) > 180 || Channel(colour, 16) > 180;
    const double delta = double(amount) / 255.0 * 100.0;
    return ShiftBy(colour, light ? -delta : delta);
}

int DarkenColour(int colour, int amount) { return ShiftBy(colour, -(double(amount) / 255.0 * 100.0)); }

int SkinTypeFromText(const QString& text) {
    static const char* const names[] = {"mini", "small", "medium", "alpha", "scale"};
    const QString t = TrimText(text);
    for (int i = 0; i < 5; ++i)
        if (SameText(t, QLatin1String(names[i])))
            return i;
    return -1;
}

QString SkinTypeText(int skintype) {
    static const char* const names[] = {"mini", "small", "medium", "alpha", "scale"};
    return QLatin1String(names[std::clamp(skintype, 0, 4)]);
}

TSkinLayout DefaultSkinLayout(const TSettings& settings) {
    TSkinLayout l;
    l.listtextcolor = settings.textcolor;
    return l;
}

QString ResolveSkinPath(const QString& name, const QString& programFolder) {
    if (TrimText(name).isEmpty())
        return {};
    QString folder = programFolder;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    QString path = name;
    path.replace(QLatin1String("$d$"), QString()).replace(QLatin1String("$D$"), QString());
    path.replace(QLatin1String("$h$"), folder).replace(QLatin1String("$H$"), folder);
    if (QFileInfo(path).isFile())
        return path;
    // A skin name written on another system may use backslashes; its file name still counts.
    QString fileName = path;
    fileName.replace(u'\\', u'/');
    fileName = fileName.mid(fileName.lastIndexOf(u'/') + 1);
    if (fileName.isEmpty())
        return {};
    const QString shipped = folder + QLatin1String("/skins/") + fileName;
    return QFileInfo(shipped).isFile() ? shipped : QString();
}

TSkinReadResult ReadSkinFrom(const TMemIniFile& ini, const QString& folder, const TSkinReadRequest& request,
                             const TSettings& current) {
    TSkinReadResult r;
    r.settings = current;
    r.path = ini.FileName();
    TStage st;
    if (!ReadStage(ini, r.path.isEmpty() ? QStringLiteral("(download)") : r.path, st, r.error))
        return r;
    r.found = true;
    r.ok = true;
    TSettings& s = r.settings;
    if (request.load) {
        if (st.skintype)
            s.skintype = *st.skintype;
        auto take = [](int& field, const std::optional<int>& v) {
            if (v)
                field = *v;
        };
        take(s.windowcolor, st.windowcolor);
        s.inputwindowcolor = st.inputwindowcolor.value_or(s.windowcolor);
        take(s.textcolor, st.textcolor);
        take(s.textbackcolor, st.textbackcolor);
        take(s.fillcolor, st.fillcolor);
        take(s.arrowcolor, st.arrowcolor);
        take(s.outlinecolor, st.outlinecolor);
        s.listtitlecolor = st.listtitlecolor.value_or(ShiftColour(s.textbackcolor, 138));
        take(s.titlecolor, st.titlecolor);
        bool stop = false;
        if (request.fromDialog && s.skintype < 4) {
            s.showwordicon = true;
            s.showcombo = false;
            r.notice = QStringLiteral(
                "This skin type is not really supported by the high DPI version of Vantrelo, only using some properties.");
            stop = s.skintype < 3;
        }
        if (!stop) {
            if (st.showcombo)
                s.showcombo = *st.showcombo;
            if (st.fontname)
                s.fontname = *st.fontname;
            take(s.fontsize, st.fontsize);
            if (st.fontbold)
                s.fontbold = *st.fontbold;
            take(s.transactive, st.transactive);
            take(s.transinactive, st.transinactive);
            take(s.maxvisible, st.maxvisible);
            if (st.listfontname)
                s.listfontname = *st.listfontname;
            take(s.listfontsize, st.listfontsize);
            if (st.listrowheight) {
                s.listrowheight = *st.listrowheight;
                s.listrowmode = 0;
            }
            take(s.failcolor, st.failcolor);
            if (!r.path.isEmpty())
                s.skinname = r.path;
            if (!st.message.isEmpty())
                r.note = QStringLiteral(" Skin note:\r\n\r\n") + ReadMultiLine(st.message);
        }
    }
    // The layout is always Scale, so the skin's pictures and borders are taken at once even when
    // it names another display style.
    TakeLayout(st, TPictureRoots{folder, request.programFolder}, s, r.layout);
    ForceScaleStyle(s);
    return r;
}

TSkinReadResult ReadSkin(const TSkinReadRequest& request, const TSettings& current) {
    const QString path = ResolveSkinPath(request.name, request.programFolder);
    if (path.isEmpty()) {
        TSkinReadResult r;
        r.ok = true;
        r.settings = current;
        ForceScaleStyle(r.settings);
        r.layout = DefaultSkinLayout(r.settings);
        return r;
    }
    const TMemIniFile ini(path);
    if (!ini.LoadError().isEmpty()) {
        TSkinReadResult r;
        r.settings = current;
        r.path = path;
        r.error = ini.LoadError();
        return r;
    }
    return ReadSkinFrom(ini, QFileInfo(path).absolutePath(), request, current);
}

bool LooksLikeSkin(const QByteArray& bytes, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString text = DecodeFileText(bytes);
    if (text.contains(QChar(0)))
        return fail(QStringLiteral("The file is not a skin file."));
    TMemIniFile ini;
    ini.SetStrings(SplitLines(text));
    if (!ini.SectionExists(kSection))
        return fail(QStringLiteral("The file is not a skin file (it has no [skinvalues] section)."));
    TStage st;
    QString why;
    if (!ReadStage(ini, QStringLiteral("(download)"), st, why))
        return fail(why);
    return true;
}

} // namespace vantrelo
