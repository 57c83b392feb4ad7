// libFuzzer target: the ini engine must take any bytes, give them back unchanged when nothing
// is written, and read back what it wrote.
#include "support/inidocumentchecks.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString broken = brokenIniPromise(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "broken promise: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
