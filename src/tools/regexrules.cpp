// Rules programs on PCRE2 (UTF-16, so QString is matched as it is).
#include "tools/regexrules.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QStringList>

#include <memory>

namespace vantrelo {

namespace {

// Characters up to code 32 off both ends.
QString TrimRule(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

// The end of the part that starts at `from`: the next "/" no backslash escapes; -1 when none.
qsizetype UnescapedSlash(const QString& s, qsizetype from) {
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s.at(i) == u'\\') {
            ++i;
            continue;
        }
        if (s.at(i) == u'/')
            return i;
    }
    return -1;
}

struct TRule {
    QString pattern;
    QString replacement;
    bool valid = true; // a substitution without the end of its pattern does nothing
};

TRule ParseRule(const QString& rule) {
    TRule r;
    if (!rule.startsWith(QLatin1String("s/"))) {
        r.pattern = rule;
        return r;
    }
    const qsizetype patternEnd = UnescapedSlash(rule, 2);
    if (patternEnd < 0) {
        r.valid = false;
        return r;
    }
    r.pattern = rule.mid(2, patternEnd - 2);
    const qsizetype replacementEnd = UnescapedSlash(rule, patternEnd + 1);
    r.replacement = replacementEnd < 0 ? rule.mid(patternEnd + 1) : rule.mid(patternEnd + 1, replacementEnd - patternEnd - 1);
    return r;
}

int Digits(const QString& s, qsizetype at, int& value) {
    int n = 0;
    value = 0;
    while (at + n < s.size() && s.at(at + n).isDigit() && n < 2) {
        value = value * 10 + s.at(at + n).digitValue();
        ++n;
    }
    return n;
}

// The replacement for one match: escapes and Perl-style group references.
QString Expand(const QString& replacement, const QString& subject, const PCRE2_SIZE* ov, int groups) {
    auto group = [&](int g) {
        if (g >= groups || ov[2 * g] == PCRE2_UNSET)
            return QString();
        return subject.mid(qsizetype(ov[2 * g]), qsizetype(ov[2 * g + 1] - ov[2 * g]));
    };
    QString out;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        const QChar next = i + 1 < replacement.size() ? replacement.at(i + 1) : QChar();
        int g = 0;
        if (c == u'\\' && !next.isNull()) {
            static const QString kFrom = QStringLiteral("\\nrtf"), kTo = QStringLiteral("\\\n\r\t\f");
            if (const qsizetype k = kFrom.indexOf(next); k >= 0) {
                out += kTo.at(k);
                ++i;
            } else if (const int n = Digits(replacement, i + 1, g)) {
                out += group(g);
                i += n;
            } else {
                out += c;
            }
        } else if (c == u'$' && next == u'$') {
            out += u'$';
            ++i;
        } else if (c == u'$' && next == u'{') {
            const qsizetype close = replacement.indexOf(u'}', i + 2);
            bool ok = false;
            const int n = close < 0 ? 0 : replacement.mid(i + 2, close - i - 2).toInt(&ok);
            if (ok) {
                out += group(n);
                i = close;
            } else {
                out += c;
            }
        } else if (c == u'$' && Digits(replacement, i + 1, g)) {
            out += group(g);
            i += Digits(replacement, i + 1, g);
        } else {
            out += c;
        }
    }
    return out;
}

struct TCodeFree {
    void operator()(pcre2_code* c) const { pcre2_code_free(c); }
};
struct TDataFree {
    void operator()(pcre2_match_data* d) const { pcre2_match_data_free(d); }
};
struct TContextFree {
    void operator()(pcre2_match_context* m) const { pcre2_match_context_free(m); }
};

PCRE2_SPTR16 Units(const QString& s) { return reinterpret_cast<PCRE2_SPTR16>(s.utf16()); }

// Replaces every match; false with `error` set when the pattern is bad or too costly.
bool RunRule(const TRule& rule, QString& subject, QString& error) {
    int code = 0;
    PCRE2_SIZE offset = 0;
    std::unique_ptr<pcre2_code, TCodeFree> re(pcre2_compile(Units(rule.pattern), PCRE2_SIZE(rule.pattern.size()),
                                                            PCRE2_MULTILINE | PCRE2_UTF, &code, &offset, nullptr));
    if (!re) {
        error = QStringLiteral("Invalid rule: ") + rule.pattern;
        return false;
    }
    std::unique_ptr<pcre2_match_data, TDataFree> md(pcre2_match_data_create_from_pattern(re.get(), nullptr));
    std::unique_ptr<pcre2_match_context, TContextFree> mc(pcre2_match_context_create(nullptr));
    pcre2_set_match_limit(mc.get(), kRegexMatchLimit);
    pcre2_set_depth_limit(mc.get(), kRegexDepthLimit);
    QString out;
    PCRE2_SIZE start = 0, copied = 0;
    const PCRE2_SIZE length = PCRE2_SIZE(subject.size());
    uint32_t options = 0;
    while (start <= length) {
        const int rc = pcre2_match(re.get(), Units(subject), length, start, options, md.get(), mc.get());
        if (rc == PCRE2_ERROR_NOMATCH) {
            if (options == 0)
                break;
            // No non-empty match at an empty match's end: step one character on.
            options = 0;
            start += (start + 1 < length && subject.at(qsizetype(start)).isHighSurrogate()) ? 2 : 1;
            continue;
        }
        if (rc < 0) {
            error = (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT)
                        ? QStringLiteral("Rule too complex: ") + rule.pattern
                        : QStringLiteral("Invalid rule: ") + rule.pattern;
            return false;
        }
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(md.get());
        out += subject.mid(qsizetype(copied), qsizetype(ov[0] - copied));
        out += Expand(rule.replacement, subject, ov, rc);
        copied = ov[1];
        start = ov[1];
        options = ov[0] == ov[1] ? (PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED) : 0;
    }
    out += subject.mid(qsizetype(copied));
    subject = out;
    return true;
}

} // namespace

bool HasRegexRules(const QString& rules) {
    for (const QString& r : rules.split(QStringLiteral("||")))
        if (!TrimRule(r).isEmpty())
            return true;
    return false;
}

TRegexOutcome ApplyRegexRules(const QString& rules, const QString& text) {
    TRegexOutcome out;
    out.text = text;
    if (!HasRegexRules(rules))
        return out;
    const bool crlf = text.contains(QLatin1String("\r\n"));
    QString subject = text;
    if (crlf)
        subject.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString& raw : rules.split(QStringLiteral("||"))) {
        const QString rule = TrimRule(raw);
        if (rule.isEmpty())
            continue;
        const TRule parsed = ParseRule(rule);
        if (!parsed.valid)
            continue;
        if (!RunRule(parsed, subject, out.error)) {
            out.ok = false;
            break;
        }
    }
    if (crlf)
        subject.replace(u'\n', QLatin1String("\r\n"));
    out.text = subject;
    return out;
}

} // namespace vantrelo
