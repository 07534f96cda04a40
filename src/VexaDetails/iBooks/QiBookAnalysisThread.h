#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <atomic>

#include "IiBookCallback.h"
#include "QDBAnalysisThread.h"

class IBookService;
class IVexaManager;
struct BookRecord;

// Loads the books of one device on its own thread and owns their records; the books page shows them.
// It also keeps the local paths of the device's two book lists ("Purchases.plist", "Books.plist"),
// which the device library may ask for; a load itself does not pass them.
class QiBookAnalysisThread : public QObject, public QDBAnalysisThread, public IiBookCallback {
    Q_OBJECT
public:
    explicit QiBookAnalysisThread(IVexaManager* manager, QObject* parent = nullptr);
    ~QiBookAnalysisThread() override;

    RecoverType GetCategoryType() const override { return RECOVER_TYPE_BOOKS; }

    void AppendPlistPath(const QByteArray& path) { m_plistPaths.append(path); }
    const QList<QByteArray>& PlistPaths() const { return m_plistPaths; }
    // Books of the last finished load; the navigation tree shows it.
    int RecordCount() const { return m_loadedCount.load(); }
    // False when the last load could not list the device's books.
    bool LastLoadListed() const { return m_listed.load(); }
    IVexaManager* Manager() const { return m_manager; }

    void OnAddiBook(const CiBookChunk& book) override;

public slots:
    // Starts a load; the page first hears loadStarting() and lets go of the records.
    void refresh();

signals:
    void emitRefreshiBookNode(int deviceHandle);
    // Sent on the calling thread before the worker rebuilds the list.
    void loadStarting();
    // The device cannot give its books yet (worker thread).
    void emitUnavailable();

protected:
    int QueryRecords(int& count) override;
    bool IsValidElement(int index) const override;
    IBaseChunk* CreateChunk(int index) override;
    void OnLoadFinished() override;

private:
    QList<QByteArray> m_plistPaths;
    IVexaManager* m_manager;
    IBookService* m_books;
    // The device's array of the running load; valid until its next GetBooks on this thread.
    BookRecord* m_list = nullptr;
    int m_listCount = 0;
    std::atomic<int> m_loadedCount{0};
    std::atomic<bool> m_listed{false};
};
