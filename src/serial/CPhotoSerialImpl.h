#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CFieldListSerial.h"
#include "IPhotoSerialAction.h"

class CPhotoSerialThread;
class IPhotoSerialCallback;
class IVexaManager;

// The file exporter's writer: collects one entry of fields per item a source writes, then copies the
// files the entries name into a folder on a worker thread (Export). Every item also tells the
// callback it began and ended.
class CPhotoSerialImpl : public CFieldListSerial {
public:
    CPhotoSerialImpl(IVexaManager* manager, int kind, IPhotoSerialCallback* callback);
    // Stops a running export before its next file and waits for it.
    ~CPhotoSerialImpl() override;

    bool BeginItem(const char* name, int index) override;
    bool EndItem() override;

    // Starts copying into `destination` (UTF-8); an earlier run is stopped and waited for first.
    bool Export(const std::string& destination);
    void Cancel();
    bool IsRunning() const;
    // Files of the last export that could not be copied; meaningful once it ended.
    int FailedCount() const;

    int Kind() const { return m_kind; }
    const std::vector<PhotoSerialEntry>& Entries() const { return m_entries; }

protected:
    FieldList* CurrentFields() override;

private:
    int m_kind;
    std::unique_ptr<CPhotoSerialThread> m_thread;
    IPhotoSerialCallback* m_callback;
    std::vector<PhotoSerialEntry> m_entries;
    IVexaManager* m_manager;
};
