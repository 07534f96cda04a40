// The libFuzzer driver of one target: the build links exactly one target file beside this one.
#include <QtGlobal>

#include "FuzzRegistry.h"

namespace {

// The parsers explain every refusal in the log; at thousands of inputs a second that is only noise.
void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(dropMessage);
    if (fuzz::Targets().size() != 1)
        fuzz::Fail("a fuzzer links exactly one target");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Entry entry = fuzz::Targets().begin()->second;
    entry(data, size);
    return 0;
}
