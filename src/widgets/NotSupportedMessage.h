#pragma once

class QObject;
class QString;

// A device whose backend does not offer a category yet answers VEXA_E_NOT_SUPPORTED_YET; the views say
// so instead of reporting a failure or showing an empty list as if the device had nothing.
bool IsNotSupportedYet(int code);
QString NotSupportedYetText();
// Callable from a loading thread: the message is shown from the GUI thread's events, unless `context`
// has been destroyed by then.
void ShowNotSupportedYetLater(QObject* context);
