#pragma once

class QString;

// Why a device operation failed, in the user's words, from the device library's result code: a wrong
// password, a locked device, a full disk, a lost connection. Empty for success and for codes that
// say nothing the user can act on.
QString ResultReason(int code);
// `message` with the reason of `code` as its second line, when there is one.
QString WithReason(const QString& message, int code);
