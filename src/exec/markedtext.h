// Text that remembers which characters were inserted as values, so that tokens are only ever
// recognised in the template and never in typed, clipboard or file text put into it.
#pragma once

#include <QByteArray>
#include <QString>

namespace vantrelo {

class TMarkedText {
public:
    TMarkedText() = default;
    // All of `text` is template: tokens in it are live.
    explicit TMarkedText(const QString& text) : text_(text), literal_(text.size(), 0) {}
    // All of `text` is a value: nothing in it is ever read as a token.
    static TMarkedText Literal(const QString& text);

    const QString& Text() const { return text_; }
    qsizetype Size() const { return text_.size(); }
    bool IsEmpty() const { return text_.isEmpty(); }

    // First occurrence of `token` lying wholly in template text, at or after `from`; -1 if none.
    qsizetype Find(QStringView token, qsizetype from = 0, Qt::CaseSensitivity cs = Qt::CaseInsensitive) const;
    bool Contains(QStringView token, Qt::CaseSensitivity cs = Qt::CaseInsensitive) const { return Find(token, 0, cs) >= 0; }

    TMarkedText Mid(qsizetype pos, qsizetype len = -1) const;
    void Replace(qsizetype pos, qsizetype len, const TMarkedText& with);
    void Remove(qsizetype pos, qsizetype len) { Replace(pos, len, TMarkedText()); }
    // Replaces every template occurrence; replacements are not searched again.
    void ReplaceAll(QStringView token, const TMarkedText& with, Qt::CaseSensitivity cs = Qt::CaseInsensitive);
    void ReplaceAllWithValue(QStringView token, const QString& value, Qt::CaseSensitivity cs = Qt::CaseInsensitive) {
        ReplaceAll(token, Literal(value), cs);
    }
    // The rule for tokens written all-lower or all-upper: `upper` and its lower-case spelling match.
    void ReplaceLowerOrUpper(QStringView upper, const TMarkedText& with);
    bool ContainsLowerOrUpper(QStringView upper) const;
    // Removes the template span from the first `open` through the next `close` (inclusive); false if
    // `open` is missing. Without `close`, only the opening mark goes.
    bool RemoveSpan(QStringView open, QStringView close, Qt::CaseSensitivity cs = Qt::CaseInsensitive);

private:
    QString text_;
    QByteArray literal_; // one flag per UTF-16 unit: 1 = inserted value
};

} // namespace vantrelo
