// Splitting and classifying inputs, the parameter tokenizer, URL encoding and path expansion.
#include "exec/envexpand.h"
#include "core/inputtext.h"
#include "exec/paramtokens.h"

#include "support/systemfakes.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(InputSplit, FirstWordAndParamText) {
    struct Case {
        const char* input;
        const char* first;
        const char* params;
    } cases[] = {
        {"g cats", "g", "cats"},
        {"g  cats", "g", " cats"},
        {" g cats", "", "g cats"},
        {"notepad", "notepad", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(FirstWord(QString::fromUtf8(c.input)), QString::fromUtf8(c.first));
        EXPECT_EQ(ParamText(QString::fromUtf8(c.input)), QString::fromUtf8(c.params));
    }
}

struct ClassCase {
    const char* text;
    bool (*test)(const QString&);
    const char* name;
    bool expected;
};

TEST(InputClassify, Table) {
    const ClassCase cases[] = {
        {"https://x.org", IsUrl, "IsUrl", true},
        {"HTTP:x", IsUrl, "IsUrl", true},
        {"WWW.example.com", IsUrl, "IsUrl", true},
        {"ftp://x", IsUrl, "IsUrl", false},
        {"MailTo:a@b.c", IsMailto, "IsMailto", true},
        {"open ms-settings:display", IsSystemUri, "IsSystemUri", true},
        {"\\\\srv", IsUncPath, "IsUncPath", true},
        {"\\srv", IsUncPath, "IsUncPath", false},
        {"C:\\x", IsPath, "IsPath", true},
        {".\\x", IsPath, "IsPath", true},
        {"\\\\srv\\share", IsPath, "IsPath", true},
        {"\\temp", IsPath, "IsPath", true},
        {"ms-settings:display", IsPath, "IsPath", true},
        {"notepad", IsPath, "IsPath", false},
        {"\"C:\\Program Files\\x\"", IsPath, "IsPath", true},
        {"/usr/bin", IsPath, "IsPath", true},
        {"~/notes.txt", IsPath, "IsPath", true},
        {"~", IsPath, "IsPath", true},
        {"./run.sh", IsPath, "IsPath", true},
        {"../up", IsPath, "IsPath", true},
        {"FILE:///tmp/x", IsPath, "IsPath", true},
        {"~user", IsPath, "IsPath", false},
        {"http://x", IsPath, "IsPath", false},
        {"example.com", IsBareWebAddress, "IsBareWebAddress", true},
        {"notes.txt", IsBareWebAddress, "IsBareWebAddress", true},
        {"a.b", IsBareWebAddress, "IsBareWebAddress", false},
        {".hidden.txt", IsBareWebAddress, "IsBareWebAddress", false},
        {"192.168.1.1", IsBareWebAddress, "IsBareWebAddress", false},
        {"10.01.0.1", IsBareWebAddress, "IsBareWebAddress", true},
        {"1.2.3.4.5", IsBareWebAddress, "IsBareWebAddress", true},
        {"example.com.", IsBareWebAddress, "IsBareWebAddress", false},
        {"a b.com", IsBareWebAddress, "IsBareWebAddress", false},
        {"www.example.com", IsBareWebAddress, "IsBareWebAddress", false},
        {"file://x.org", IsBareWebAddress, "IsBareWebAddress", false},
        {"~/notes.txt", IsBareWebAddress, "IsBareWebAddress", false},
        {"192.168.1.1", IsDottedQuad, "IsDottedQuad", true},
        {"10.0.0.1", IsDottedQuad, "IsDottedQuad", true},
        {"10.00.0.1", IsDottedQuad, "IsDottedQuad", true},
        {"01.2.3.4", IsDottedQuad, "IsDottedQuad", false},
        {"256.1.1.1", IsDottedQuad, "IsDottedQuad", false},
        {"1.2.3.", IsDottedQuad, "IsDottedQuad", false},
        {"1..2.3", IsDottedQuad, "IsDottedQuad", false},
        {"1234.1.1.1", IsDottedQuad, "IsDottedQuad", false},
        {"1.2.3.4a", IsDottedQuad, "IsDottedQuad", false},
        {"1.2.3.99999999999999999999", IsDottedQuad, "IsDottedQuad", false},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(" + c.text + ")");
        EXPECT_EQ(c.test(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST(ParameterTokenizer, SplitsLikeACommandLine) {
    struct Case {
        const char* params;
        QStringList words;
    } cases[] = {
        {"one \"two three\" four", {"one", "two three", "four"}},
        {"  \"\" a\tb", {"a", "b"}},
        {"x\"y z\"w", {"xy zw"}},
        {"\"unclosed quote", {"unclosed quote"}},
        {"", {}},
        // A file name with a double quote in it stays that name.
        {"\"a b's \\\"x\\\".txt\" next", {"a b's \"x\".txt", "next"}},
        {"say\\\"hi\\\"", {"say\"hi\""}},
        {"C:\\dir\\file", {"C:\\dir\\file"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params);
        EXPECT_EQ(SplitParameters(QString::fromUtf8(c.params)), c.words);
    }
    EXPECT_EQ(ParameterAt(QStringLiteral("one \"two three\" four"), 2), QStringLiteral("two three"));
    EXPECT_EQ(ParameterAt(QStringLiteral("one two"), 5), QString());
    EXPECT_EQ(ParameterAt(QStringLiteral("one two"), 0), QString());
}

TEST(UrlEncoding, EncodesReservedAndNonAscii) {
    EXPECT_EQ(UrlEncodeParam(QStringLiteral("a b&c")), QStringLiteral("a%20b%26c"));
    EXPECT_EQ(UrlEncodeParam(QStringLiteral("A-z_0.9")), QStringLiteral("A-z_0.9"));
    EXPECT_EQ(UrlEncodeParam(QStringLiteral("~%+/")), QStringLiteral("%7E%25%2B%2F"));
    EXPECT_EQ(UrlEncodeParam(QStringLiteral("é€")), QStringLiteral("%C3%A9%E2%82%AC"));
}

TEST(PathExpansion, EnvironmentAndHome) {
    test::TFakeEnvironment env;
    env.vars[QStringLiteral("TEMP")] = QStringLiteral("/tmp");
    env.home = QStringLiteral("/home/ann");
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"%TEMP%/x", "/tmp/x"},
        {"%NOPE%/x", "%NOPE%/x"},
        {"100%%TEMP%", "100%/tmp"},
        {"50% off", "50% off"},
        {"~/docs", "/home/ann/docs"},
        {"~", "/home/ann"},
        {"~ann/docs", "~ann/docs"},
        {"a~/b", "a~/b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ExpandUserPath(QString::fromUtf8(c.in), env), QString::fromUtf8(c.out));
    }
}

} // namespace
} // namespace vantrelo
