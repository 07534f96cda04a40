#pragma once

// What a content service can tell beside its listing: how many entries the last listing left out
// because their files are gone or could not be read (a song whose file was removed, a book listed
// without its file). A page says so in one line. A caller asks for it with dynamic_cast on the service;
// a service without it leaves nothing out.
class ISkippedEntries {
public:
    virtual ~ISkippedEntries() = default;
    virtual int GetSkippedCount() = 0;
};
