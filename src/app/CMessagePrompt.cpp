#include "CMessagePrompt.h"

#include "QMessageDlg.h"

namespace {

CMessagePrompt::Handler& TestHandler() {
    static CMessagePrompt::Handler handler;
    return handler;
}

} // namespace

int CMessagePrompt::Show(const QString& message, const QString& title, quint32 flags) {
    if (TestHandler())
        return TestHandler()(message, title, flags);
    return ShowMessage(message, title, flags);
}

void CMessagePrompt::SetHandlerForTesting(Handler handler) {
    TestHandler() = std::move(handler);
}
