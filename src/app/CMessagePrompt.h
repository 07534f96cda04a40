#pragma once

#include <functional>

#include <QString>

// Every message of the start-up code goes through here. Tests install a handler that answers in place
// of a person, so that no test blocks on a modal dialog.
class CMessagePrompt {
public:
    using Handler = std::function<int(const QString& message, const QString& title, quint32 flags)>;

    // Shows the message dialog (or asks the handler) and returns the code of the button that closed it.
    static int Show(const QString& message, const QString& title, quint32 flags);

    // An empty handler returns to the real dialog.
    static void SetHandlerForTesting(Handler handler);
};
