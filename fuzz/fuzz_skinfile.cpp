// Skin files as a download brings them: the check and a full read never crash, and a skin that
// passes the check is read whole.
#include "core/inifile.h"
#include "fuzzsupport.h"
#include "ui/skin/skinfile.h"

using namespace vantrelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes = fuzz::Bytes(data, size);
    const bool looks = LooksLikeSkin(bytes);
    TMemIniFile ini;
    ini.SetStrings(SplitLines(DecodeFileText(bytes)));
    const TSettings current;
    // No picture can be found in a folder that does not exist: only the values are read.
    const TSkinReadResult r =
        ReadSkinFrom(ini, QStringLiteral("/nonexistent/skin"), TSkinReadRequest{{}, QStringLiteral("/nonexistent/"), true, false}, current);
    if (looks)
        fuzz::Require(r.ok, "a skin that passes the check is read");
    return 0;
}
