// The settings dialog without widgets: the controls' values, filled from and taken into TSettings.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace vantrelo {

struct TSettings;

// One entry of an order check list: a list source and whether it is on.
struct TOrderEntry {
    QString name;
    bool checked = false;
    bool operator==(const TOrderEntry&) const = default;
};

// The four modifier boxes of the hotkey, in the order shown, with their bits of `hotkeyadd`.
inline constexpr std::pair<const char*, int> kHotkeyModifiers[] = {
    {"Windows", 8}, {"Alt", 1}, {"Control", 2}, {"Shift", 4}};

// Values are what the controls show: a check box's state, a number field's text, a choice's
// entry index, a text, a colour, the hotkey's key code. Composite controls use sub-keys:
// "hotkey.Windows".. for the modifier boxes, "noteslocation.default" for the default-location box.
class TSetupModel {
public:
    // `monitors`: how many "Center on display n" entries the centring list offers.
    explicit TSetupModel(int monitors = 1) : monitors_(monitors) {}

    // SetSettings: every control from the record.
    void SetSettings(const TSettings& s);
    // GrabSettings: every control into the record, with the dialog's fallbacks for fields that
    // do not parse.
    void GrabSettings(TSettings& s) const;
    // The number fields whose whole number lies outside their setting's range, each said with the
    // range ("maxhistory: -5 is out of range, it takes 0 to 100000"); OK refuses while any is.
    QStringList OutOfRange() const;

    QVariant Value(const QString& key) const { return values_.value(key); }
    void Set(const QString& key, const QVariant& value) { values_.insert(key, value); }
    QList<TOrderEntry> Order(const QString& key) const { return orders_.value(key); }
    void SetOrder(const QString& key, const QList<TOrderEntry>& entries) { orders_.insert(key, entries); }

    int Monitors() const { return monitors_; }
    // The centring list: five fixed entries and one per monitor.
    QStringList CentreEntries() const;
    static QString InfoSyntaxEntry(int i);

private:
    int monitors_;
    QHash<QString, QVariant> values_;
    QHash<QString, QList<TOrderEntry>> orders_;
};

// The order text of a check list: names joined by commas, a name with a blank in double quotes.
QString OrderText(const QList<TOrderEntry>& entries);
// The names of an order text, in its order, without their quotes.
QStringList OrderNames(const QString& text);

} // namespace vantrelo
