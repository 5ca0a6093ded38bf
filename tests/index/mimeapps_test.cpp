// "Open With...": the applications of a file type from desktop entries, by precedence and name.
#include "index/mimeapps.h"
#include "support/testsupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

using test::TempDir;
using test::WriteAll;

void Entry(const QString& file, const QByteArray& name, const QByteArray& mime, const QByteArray& extra = {}) {
    QDir().mkpath(QFileInfo(file).path());
    WriteAll(file, "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + name.toLower() + " %F\nMimeType=" +
                       mime + "\n" + extra);
}

TEST(MimeApps, FirstIdWinsHiddenHidesAndTheRestSortByName) {
    TempDir dir;
    const QString user = dir.File("user/applications");
    const QString system = dir.File("system/applications");
    Entry(user + "/zed.desktop", "Zed", "text/plain;");
    Entry(system + "/zed.desktop", "Zed System", "image/png;");       // shadowed by the user's
    Entry(user + "/gone.desktop", "Gone", "text/plain;", "Hidden=true\n");
    Entry(system + "/gone.desktop", "Gone System", "text/plain;");    // hidden by the user's id
    Entry(system + "/kde/alpha.desktop", "Alpha", "text/plain;image/png"); // id "kde-alpha.desktop"
    Entry(system + "/viewer.desktop", "Viewer", "image/png;");
    WriteAll(system + "/link.desktop", "[Desktop Entry]\nType=Link\nName=Link\nURL=https://x\nMimeType=text/plain;\n");

    const std::vector<TMimeApp> text = AppsForMimeTypes({user, system}, {"text/plain"}, QString());
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].entry.name, "Alpha");
    EXPECT_EQ(text[1].entry.name, "Zed");
    EXPECT_EQ(text[1].desktopFile, user + "/zed.desktop");

    const std::vector<TMimeApp> png = AppsForMimeTypes({user, system}, {"IMAGE/PNG"}, QString());
    ASSERT_EQ(png.size(), 2u);
    EXPECT_EQ(png[0].entry.name, "Alpha");
    EXPECT_EQ(png[1].entry.name, "Viewer");
    EXPECT_TRUE(AppsForMimeTypes({dir.File("none")}, {"text/plain"}, QString()).empty());
}

} // namespace
} // namespace vantrelo
