// Test fixtures.
#include "support/testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>

#include <gtest/gtest.h>

namespace vantrelo::test {

TempDir::TempDir() : dir_(QDir::tempPath() + QLatin1String("/vantrelo-test-XXXXXX")) {
    EXPECT_TRUE(dir_.isValid());
}

QString TempDir::Path() const { return dir_.path() + u'/'; }

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void WriteText(const QString& path, const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\n', QLatin1String("\r\n"));
    WriteAll(path, QByteArray("\xEF\xBB\xBF") + t.toUtf8());
}

} // namespace vantrelo::test
