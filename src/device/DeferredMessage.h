#pragma once

class QObject;
class QString;

// Shows `message` in the message dialog once the event loop runs, unless `context` is gone by then.
// Constructors use it: a modal dialog opened during construction would run device events (a removal
// among them) while the object is half built.
void ShowMessageLater(QObject* context, const QString& message);
