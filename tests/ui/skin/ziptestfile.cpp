// Zip writer for tests: names are stored exactly as given, even hostile ones.
#include "ziptestfile.h"

#include <QFile>

#include <zip.h>

namespace vantrelo::test {

bool WriteZip(const QString& path, const std::vector<std::pair<QByteArray, QByteArray>>& entries) {
    zipFile zf = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zf)
        return false;
    bool ok = true;
    for (const auto& [name, content] : entries) {
        zip_fileinfo info{};
        ok = ok && zipOpenNewFileInZip64(zf, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                         Z_DEFAULT_COMPRESSION, 0) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(zf, content.constData(), unsigned(content.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zf) == ZIP_OK;
    }
    return zipClose(zf, nullptr) == ZIP_OK && ok;
}

} // namespace vantrelo::test
