#pragma once

class IBaseSerial;

// Something that knows its records and pushes them into a writer. A null writer does nothing.
class ISerialable {
public:
    virtual void Serialize(IBaseSerial* writer) = 0;
    virtual void Deserialize(IBaseSerial* writer) = 0;
    virtual ~ISerialable() = default;
};
