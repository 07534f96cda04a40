#pragma once

#include <QtGlobal>
#include <string>

#include "ISerialable.h"

// One record of a device category as the device library delivered it, plus the check mark the user
// sets in the table. Chunks are heap objects; whoever holds the loading list deletes them.
class IBaseChunk : public ISerialable {
public:
    IBaseChunk() = default;
    virtual ~IBaseChunk() = default;

    IBaseChunk(const IBaseChunk&) = delete;
    IBaseChunk& operator=(const IBaseChunk&) = delete;

    void Serialize(IBaseSerial*) override {}
    // Only contacts write a second form; every other category leaves it empty.
    void Deserialize(IBaseSerial*) override {}

    virtual bool CanSerialize() const { return true; }
    virtual bool CanDelete() const { return true; }
    virtual bool CanCheck() const { return true; }

    virtual void SetChecked(bool checked) { m_checked = checked; }
    virtual bool IsChecked() const { return m_checked; }
    virtual void SetName(const std::string& name) { m_name = name; }
    virtual std::string GetName() const { return m_name; }
    virtual void SetId(const std::string& id) { m_id = id; }
    virtual std::string GetId() const { return m_id; }
    virtual void SetOwner(quintptr owner) { m_owner = owner; }
    virtual quintptr GetOwner() const { return m_owner; }
    // A category that overrides this calls the base first.
    virtual void Reset();
    // Removes the record from the device; categories without a device delete succeed trivially.
    virtual bool DeleteFromDevice() { return true; }

private:
    std::string m_id;
    quintptr m_owner = 0;
    bool m_checked = false;
    std::string m_name;
};
