// Small fixtures for tests: a temporary folder and whole-file reads and writes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vantrelo::test {

// A temporary folder removed at the end of the test; Path() ends with "/".
class TempDir {
public:
    TempDir();
    QString Path() const;
    QString File(const QString& name) const { return Path() + name; }

private:
    QTemporaryDir dir_;
};

QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// Writes text as UTF-8 with BOM and CR LF line ends, as the program does.
void WriteText(const QString& path, const QString& text);

} // namespace vantrelo::test
