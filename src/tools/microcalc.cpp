// The expression evaluator: normalising, the grammar, the functions and number reading.
#include "tools/microcalc.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

namespace vantrelo {

namespace {

constexpr char16_t kEnd = 13;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Where an operand could follow but none does: constants then simply stand alone.
bool IsEmptySlot(char16_t c) {
    return c == kEnd || c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'^' || c == u')';
}

// Exact a^b for whole a and b while the product fits 64 bits; false when it does not.
bool ExactIntegerPower(double a, double b, double& out) {
    if (std::fabs(a) >= 9.0e18 || std::fabs(b) > 64.0)
        return false;
    std::int64_t base = static_cast<std::int64_t>(a);
    std::uint64_t e = static_cast<std::uint64_t>(std::fabs(b));
    std::int64_t r = 1;
    while (e) {
        if ((e & 1) && __builtin_mul_overflow(r, base, &r))
            return false;
        e >>= 1;
        if (e && __builtin_mul_overflow(base, base, &base))
            return false;
    }
    out = b < 0 ? 1.0 / static_cast<double>(r) : static_cast<double>(r);
    return true;
}

// Whole powers are computed exactly (2^3 is 8, not 7.999...); others by pow, which also gives
// real results for negative bases with whole exponents and NaN for fractional ones.
double RaisePower(double a, double b) {
    const bool whole = std::isfinite(a) && std::isfinite(b) && std::trunc(a) == a && std::trunc(b) == b;
    double exact = 0.0;
    if (whole && ExactIntegerPower(a, b, exact))
        return exact;
    return std::pow(a, b);
}

// The product 1 x 2 x ... x n of the truncated operand; past 170 a double overflows anyway,
// so a huge operand costs no more than that.
double Factorial(double a) {
    if (std::isnan(a))
        return kNaN;
    const double n = std::trunc(a);
    if (n <= 1.0)
        return 1.0;
    if (n > 170.0)
        return kInf;
    double product = 1.0;
    for (int i = 2; i <= static_cast<int>(n); ++i)
        product *= i;
    return product;
}

// Decimal magnitude of a digit string with an optional exponent, to tell overflow from underflow.
bool IsHugeMagnitude(const std::string& s) {
    const size_t ePos = s.find_first_of("eE");
    const std::string mantissa = s.substr(0, ePos);
    long long exponent = 0;
    if (ePos != std::string::npos) {
        const char* first = s.data() + ePos + 1;
        if (*first == '+')
            ++first;
        // A saturated exponent is as good as the exact one for the sign test below.
        if (std::from_chars(first, s.data() + s.size(), exponent).ec != std::errc())
            exponent = s[ePos + 1] == '-' ? -100000 : 100000;
    }
    const size_t dot = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstNonZero = mantissa.find_first_not_of("0.");
    if (firstNonZero == std::string::npos)
        return false;
    const long long magnitude = firstNonZero < dot ? static_cast<long long>(dot - firstNonZero) - 1
                                                   : -static_cast<long long>(firstNonZero - dot);
    return magnitude + exponent > 0;
}

enum class TName { Abs, Sqrt, Sqr, Sin, Cos, Arctan, Ln, Log, Exp, Fak, Pi, E, X };

struct TNameDef {
    const char16_t* text;
    qsizetype length;
    TName name;
};

// Tried in this order: longer names that share a start with shorter ones come first.
const TNameDef kNames[] = {
    {u"ABS", 3, TName::Abs}, {u"SQRT", 4, TName::Sqrt}, {u"SQR", 3, TName::Sqr},
    {u"SIN", 3, TName::Sin}, {u"COS", 3, TName::Cos},   {u"ARCTAN", 6, TName::Arctan},
    {u"LN", 2, TName::Ln},   {u"LOG", 3, TName::Log},   {u"EXP", 3, TName::Exp},
    {u"FAK", 3, TName::Fak}, {u"PI", 2, TName::Pi},     {u"E", 1, TName::E},
    {u"X", 1, TName::X},
};

bool IsConstant(TName n) {
    return n == TName::Pi || n == TName::E || n == TName::X;
}

double Apply(TName n, double a) {
    switch (n) {
    case TName::Abs: return std::fabs(a);
    case TName::Sqrt: return std::sqrt(a);
    case TName::Sqr: return a * a;
    case TName::Sin: return std::sin(a);
    case TName::Cos: return std::cos(a);
    case TName::Arctan: return std::atan(a);
    case TName::Ln: return std::log(a);
    // log10 is exact for powers of ten, where ln(a)/ln(10) gives 2.9999... for 1000.
    case TName::Log: return std::log10(a);
    case TName::Exp: return std::exp(a);
    case TName::Fak: return Factorial(a);
    default: return kNaN;
    }
}

// One evaluation over a normalised text. The first error ends the parse.
class TMicroCalc {
public:
    TMicroCalc(const QString& text, double x) : text_(text), x_(x) {}

    TCalcResult Run() {
        Next();
        const double value = Expression();
        if (error_)
            return {0.0, error_};
        if (ch_ != kEnd)
            return {0.0, Clamped(pos_)};
        return {value, kCalcOk};
    }

private:
    int Clamped(int position) const { return std::min(position, static_cast<int>(text_.size()) + 1); }
    void Fail(int position) {
        if (!error_)
            error_ = Clamped(position);
    }

    void Next() {
        ++pos_;
        ch_ = pos_ <= text_.size() ? text_.at(pos_ - 1).unicode() : kEnd;
    }

    double Expression() {
        double value = Term();
        while (!error_ && (ch_ == u'+' || ch_ == u'-')) {
            const char16_t op = ch_;
            Next();
            const double right = Term();
            value = op == u'+' ? value + right : value - right;
        }
        return value;
    }

    double Term() {
        double value = Power();
        while (!error_ && (ch_ == u'*' || ch_ == u'/')) {
            const char16_t op = ch_;
            Next();
            const double right = Power();
            value = op == u'*' ? value * right : value / right;
        }
        return value;
    }

    // Left-associative: 2^3^2 is (2^3)^2.
    double Power() {
        double value = Signed();
        while (!error_ && ch_ == u'^') {
            Next();
            value = RaisePower(value, Signed());
        }
        return value;
    }

    double Signed() {
        if (ch_ == u'-') {
            Next();
            return -Factor();
        }
        return Factor();
    }

    double Factor() {
        if (depth_ >= kCalcMaxDepth) {
            Fail(pos_);
            return kNaN;
        }
        ++depth_;
        const double value = FactorBody();
        --depth_;
        return value;
    }

    double FactorBody() {
        if (IsDigit(ch_))
            return Number();
        if (ch_ == u'(') {
            Next();
            const double value = Expression();
            if (error_)
                return kNaN;
            if (ch_ == u')')
                Next();
            else
                Fail(pos_);
            return value;
        }
        return Named();
    }

    double Number() {
        const int start = pos_;
        while (IsDigit(ch_))
            Next();
        if (ch_ == u'.') {
            Next();
            while (IsDigit(ch_))
                Next();
        }
        if (ch_ == u'E') {
            Next();  // the "E"
            Next();  // the exponent's sign or first digit
            while (IsDigit(ch_))
                Next();
        }
        const int end = std::min(pos_, static_cast<int>(text_.size()) + 1);
        double value = 0.0;
        if (!ReadCalcNumber(QStringView(text_).mid(start - 1, end - start), value)) {
            Fail(pos_);
            return kNaN;
        }
        return value;
    }

    double Named() {
        const QStringView rest = pos_ <= text_.size() ? QStringView(text_).mid(pos_ - 1) : QStringView();
        for (const TNameDef& def : kNames) {
            if (!rest.startsWith(QStringView(def.text, def.length)))
                continue;
            pos_ += static_cast<int>(def.length) - 1;
            Next();
            if (IsConstant(def.name)) {
                // A constant swallows a directly following operand ("PI2" is pi).
                if (!IsEmptySlot(ch_))
                    Factor();
                return def.name == TName::Pi ? std::numbers::pi : def.name == TName::E ? std::numbers::e : x_;
            }
            const double operand = Factor();
            return error_ ? kNaN : Apply(def.name, operand);
        }
        Fail(pos_);
        return kNaN;
    }

    const QString& text_;
    double x_;
    int pos_ = 0;
    char16_t ch_ = kEnd;
    int depth_ = 0;
    int error_ = 0;
};

QString Normalised(const QString& expression) {
    QString compact;
    compact.reserve(expression.size());
    for (QChar c : expression) {
        char16_t u = c.unicode();
        if (u == u' ')
            continue;
        if (u == u',')
            u = u'.';
        else if (u >= u'a' && u <= u'z')
            u = static_cast<char16_t>(u - (u'a' - u'A'));
        compact.append(QChar(u));
    }
    QString out;
    out.reserve(compact.size() + 4);
    for (qsizetype i = 0; i < compact.size(); ++i) {
        if (compact.at(i) == u'.' && (i == 0 || !IsDigit(compact.at(i - 1).unicode())))
            out.append(u'0');
        out.append(compact.at(i));
    }
    if (out.startsWith(u'+'))
        out.remove(0, 1);
    return out;
}

} // namespace

bool ReadCalcNumber(QStringView text, double& value) {
    std::string s;
    s.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!(IsDigit(u) || u == u'.' || u == u'E' || u == u'e' || u == u'+' || u == u'-'))
            return false;
        s.push_back(static_cast<char>(u));
    }
    if (s.empty())
        return false;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    // from_chars would take a second sign ("--5"), which is no number.
    if (first == last || *first == '+' || *first == '-')
        return false;
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ptr != last)
        return false;
    if (ec == std::errc::result_out_of_range)
        v = IsHugeMagnitude(std::string(first, last)) ? kInf : 0.0;
    else if (ec != std::errc())
        return false;
    value = negative ? -v : v;
    return true;
}

int UnbalancedPosition(const QString& normalised) {
    int depth = 0;
    for (qsizetype i = 0; i < normalised.size(); ++i) {
        if (normalised.at(i) == u'(') {
            ++depth;
        } else if (normalised.at(i) == u')') {
            if (depth == 0)
                return static_cast<int>(i) + 1;
            --depth;
        }
    }
    return depth > 0 ? static_cast<int>(normalised.size()) + 1 : 0;
}

TCalcResult Calculate(QString& expression, double x) {
    expression = Normalised(expression);
    if (expression.isEmpty())
        return {0.0, kCalcEmpty};
    if (expression.count(u'(') != expression.count(u')'))
        return {0.0, kCalcUnbalanced};
    return TMicroCalc(expression, x).Run();
}

} // namespace vantrelo
