// Filling the dialog's controls from the settings record and taking them back, with its fallbacks.
#include "ui/settings/setupmodel.h"

#include "core/settings.h"
#include "ui/settings/setupfields.h"

#include <algorithm>

namespace vantrelo {

namespace {

// The list sources of the order lists with their check keys: list, then auto-complete.
struct TOrderSource {
    const char* name;
    bool TSettings::*drop;
    bool TSettings::*autoc;
};
constexpr TOrderSource kOrderSources[] = {
    {"History", &TSettings::drophistory, &TSettings::autohistory},
    {"Keywords", &TSettings::dropwords, &TSettings::autowords},
    {"File system", &TSettings::dropfilesystem, &TSettings::autofilesystem},
    {"Indexed items", &TSettings::dropprograms, &TSettings::autoprograms},
};

const TOrderSource* SourceNamed(const QString& name) {
    for (const TOrderSource& s : kOrderSources)
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

// A number field's fallback when its text does not parse; nothing means "leave the key as it is".
std::optional<int> NumberFallback(const QString& key) {
    if (key == QLatin1String("maxhistory") || key == QLatin1String("maxdropdown"))
        return 50;
    if (key == QLatin1String("maxvisible"))
        return 20;
    if (key == QLatin1String("autodelay") || key == QLatin1String("clipboardhours"))
        return 0;
    return std::nullopt;
}

int ChoiceIndex(const TSetupField& f, int value) {
    for (size_t i = 0; i < f.choices.size(); ++i)
        if (f.choices[i].first == value)
            return int(i);
    return -1;
}

// The font keys that a font button sets beside its name key.
struct TFontKeys {
    int TSettings::*size;
    int TSettings::*charset;
    bool TSettings::*bold; // null for the notes font, which has no bold key
};
TFontKeys FontKeysOf(const QString& key) {
    if (key == QLatin1String("notesfontname"))
        return {&TSettings::notesfontsize, &TSettings::notesfontcharset, nullptr};
    return {&TSettings::fontsize, &TSettings::fontcharset, &TSettings::fontbold};
}

QString FontSub(const QString& key, const char* what) { return key + u'.' + QLatin1String(what); }

} // namespace

QStringList TSetupModel::CentreEntries() const {
    QStringList e;
    for (const auto& [value, text] : FindSetupField(QStringLiteral("center"))->choices)
        e << QString::fromUtf8(text);
    for (int n = 1; n <= monitors_; ++n)
        e << QStringLiteral("Center on display ") + QString::number(n);
    return e;
}

QString TSetupModel::InfoSyntaxEntry(int i) {
    return i == 0 ? QStringLiteral("Current time and date (short format)")
                  : QStringLiteral("Current time and date (long format)");
}

void TSetupModel::SetSettings(const TSettings& s) {
    for (const TSetupField& f : SetupFields()) {
        const QString key = QLatin1String(f.key);
        const TSettingDef* def = FindSetting(key);
        if (!def)
            continue;
        std::visit(
            [&](auto member) {
                const auto& v = s.*member;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, bool>) {
                    values_.insert(key, f.control == TControl::InverseCheck ? !v : v);
                } else if constexpr (std::is_same_v<V, int>) {
                    switch (f.control) {
                    case TControl::Number:
                        values_.insert(key, QString::number(v));
                        break;
                    case TControl::Choice:
                        values_.insert(key, ChoiceIndex(f, v));
                        break;
                    case TControl::Centre: {
                        const int entry = v < 0 ? 4 - v : v;
                        values_.insert(key, entry >= CentreEntries().size() ? 2 : entry);
                        break;
                    }
                    default: // colours, sliders, the hotkey's key
                        values_.insert(key, v);
                    }
                } else {
                    switch (f.control) {
                    case TControl::InfoSyntax:
                        values_.insert(key, v.compare(QLatin1String("$dd$"), Qt::CaseInsensitive) == 0 ? InfoSyntaxEntry(0)
                                            : v.compare(QLatin1String("$ddd$"), Qt::CaseInsensitive) == 0
                                                ? InfoSyntaxEntry(1)
                                                : v);
                        break;
                    case TControl::NotesLocation:
                        values_.insert(key, v);
                        values_.insert(key + QLatin1String(".default"), v.isEmpty());
                        break;
                    case TControl::Check: // `notessizepos`: on when something is remembered
                        values_.insert(key, !v.isEmpty());
                        break;
                    case TControl::Order: {
                        QList<TOrderEntry> entries;
                        for (const QString& name : OrderNames(v))
                            if (const TOrderSource* src = SourceNamed(name))
                                entries.push_back({QLatin1String(src->name),
                                                   s.*(key == QLatin1String("comboorder") ? src->drop : src->autoc)});
                        // A source the text lacks is offered at the end, so its box stays reachable.
                        for (const TOrderSource& src : kOrderSources)
                            if (std::none_of(entries.begin(), entries.end(), [&](const TOrderEntry& e) {
                                    return e.name == QLatin1String(src.name);
                                }))
                                entries.push_back({QLatin1String(src.name),
                                                   s.*(key == QLatin1String("comboorder") ? src.drop : src.autoc)});
                        orders_.insert(key, entries);
                        break;
                    }
                    default:
                        values_.insert(key, v);
                    }
                }
            },
            def->field);
        if (f.control == TControl::Hotkey)
            for (const auto& [name, bit] : kHotkeyModifiers)
                values_.insert(key + u'.' + QLatin1String(name), (s.hotkeyadd & bit) != 0);
        if (f.control == TControl::Font) {
            const TFontKeys fk = FontKeysOf(key);
            values_.insert(FontSub(key, "size"), s.*fk.size);
            values_.insert(FontSub(key, "charset"), s.*fk.charset);
            if (fk.bold)
                values_.insert(FontSub(key, "bold"), s.*fk.bold);
        }
    }
}

QStringList TSetupModel::OutOfRange() const {
    QStringList out;
    for (const TSetupField& f : SetupFields()) {
        const QString key = QLatin1String(f.key);
        const TSettingDef* def = FindSetting(key);
        if (f.control != TControl::Number || !def || !values_.contains(key) ||
            !std::holds_alternative<int TSettings::*>(def->field))
            continue;
        bool ok = false;
        const qlonglong n = values_.value(key).toString().trimmed().toLongLong(&ok);
        QString name = QLatin1String(f.wording ? f.wording : f.key);
        if (name.endsWith(u':'))
            name.chop(1);
        if (ok && (n < def->lo || n > def->hi))
            out << QStringLiteral("%1: %2 is out of range, it takes %3 to %4")
                       .arg(name)
                       .arg(n)
                       .arg(def->lo)
                       .arg(def->hi);
    }
    return out;
}

void TSetupModel::GrabSettings(TSettings& s) const {
    for (const TSetupField& f : SetupFields()) {
        const QString key = QLatin1String(f.key);
        const TSettingDef* def = FindSetting(key);
        if (!def || (!values_.contains(key) && !orders_.contains(key)))
            continue;
        const QVariant value = values_.value(key);
        std::visit(
            [&](auto member) {
                auto& v = s.*member;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, bool>) {
                    v = f.control == TControl::InverseCheck ? !value.toBool() : value.toBool();
                } else if constexpr (std::is_same_v<V, int>) {
                    switch (f.control) {
                    case TControl::Number: {
                        QString text = value.toString().trimmed();
                        if (text.isEmpty() && key == QLatin1String("clipboardhours"))
                            text = QStringLiteral("0");
                        bool ok = false;
                        int n = text.toInt(&ok);
                        if (!ok) {
                            const std::optional<int> fallback = NumberFallback(key);
                            if (!fallback)
                                return; // a field that does not parse leaves the key as it was
                            n = *fallback;
                        }
                        if (key == QLatin1String("assistfontsize"))
                            n = std::min(n, 30);
                        v = std::clamp(n, def->lo, def->hi);
                        break;
                    }
                    case TControl::Choice: {
                        const int i = value.toInt();
                        if (i >= 0 && i < int(f.choices.size()))
                            v = f.choices[size_t(i)].first;
                        break;
                    }
                    case TControl::Centre: {
                        const int i = value.toInt();
                        v = i <= 4 ? std::max(i, 0) : -(i - 4);
                        break;
                    }
                    default:
                        v = std::clamp(value.toInt(), def->lo, def->hi);
                    }
                } else {
                    const QString text = value.toString();
                    switch (f.control) {
                    case TControl::TrimmedText:
                        v = text.trimmed();
                        break;
                    case TControl::InfoSyntax:
                        v = text == InfoSyntaxEntry(0)   ? QStringLiteral("$dd$")
                            : text == InfoSyntaxEntry(1) ? QStringLiteral("$ddd$")
                                                         : text;
                        break;
                    case TControl::NotesLocation:
                        v = values_.value(key + QLatin1String(".default")).toBool() ? QString() : text;
                        break;
                    case TControl::Check: // `notessizepos`: a remembered place stays until the box is cleared
                        v = !value.toBool() ? QString() : v.isEmpty() ? QStringLiteral("x") : v;
                        break;
                    case TControl::Order: {
                        const QList<TOrderEntry> entries = orders_.value(key);
                        for (const TOrderEntry& e : entries)
                            if (const TOrderSource* src = SourceNamed(e.name))
                                s.*(key == QLatin1String("comboorder") ? src->drop : src->autoc) = e.checked;
                        v = OrderText(entries);
                        break;
                    }
                    default:
                        // An emptied skin field means no skin; a name changes only by loading a skin.
                        if (key == QLatin1String("skinname"))
                            v = text.isEmpty() ? QString() : v;
                        else
                            v = text;
                    }
                }
            },
            def->field);
        if (f.control == TControl::Hotkey) {
            int bits = 0;
            for (const auto& [name, bit] : kHotkeyModifiers)
                if (values_.value(key + u'.' + QLatin1String(name)).toBool())
                    bits |= bit;
            s.hotkeyadd = bits;
        }
        if (f.control == TControl::Font) {
            const TFontKeys fk = FontKeysOf(key);
            s.*fk.size = values_.value(FontSub(key, "size"), s.*fk.size).toInt();
            s.*fk.charset = values_.value(FontSub(key, "charset"), s.*fk.charset).toInt();
            if (fk.bold)
                s.*fk.bold = values_.value(FontSub(key, "bold"), s.*fk.bold).toBool();
        }
    }
}

QString OrderText(const QList<TOrderEntry>& entries) {
    QStringList parts;
    for (const TOrderEntry& e : entries)
        parts << (e.name.contains(u' ') ? u'"' + e.name + u'"' : e.name);
    return parts.join(u',');
}

QStringList OrderNames(const QString& text) {
    QStringList names;
    QString current;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted) {
            names << current.trimmed();
            current.clear();
        } else
            current += c;
    }
    if (!current.trimmed().isEmpty())
        names << current.trimmed();
    names.removeAll(QString());
    return names;
}

} // namespace vantrelo
