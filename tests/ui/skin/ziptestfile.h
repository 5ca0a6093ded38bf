// Writes zip archives for package tests through minizip.
#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace vantrelo::test {

// Each entry is (name as stored, content); a name ending "/" is a folder entry.
bool WriteZip(const QString& path, const std::vector<std::pair<QByteArray, QByteArray>>& entries);

} // namespace vantrelo::test
