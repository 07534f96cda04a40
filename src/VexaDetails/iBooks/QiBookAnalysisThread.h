#pragma once

#include <atomic>

#include <QObject>
#include <QString>

#include "QUtilThread.h"

class IVexaManager;

// The books loader of one device. It is given the two book lists the device keeps ("Purchases.plist"
// and "Books.plist") as paths below the work folder; until the books record set reads them, a load
// finds no books.
class QiBookAnalysisThread : public QObject, public QUtilThread {
    Q_OBJECT
public:
    QiBookAnalysisThread(IVexaManager* manager, int deviceHandle, QObject* parent = nullptr);
    ~QiBookAnalysisThread() override;

    void SetPlistPaths(const QString& purchasesPath, const QString& booksPath);
    QString PurchasesPath() const { return m_purchasesPath; }
    QString BooksPath() const { return m_booksPath; }
    int DeviceHandle() const { return m_deviceHandle; }
    int RecordCount() const { return m_recordCount.load(); }

public slots:
    void refresh();

signals:
    void emitRefreshiBookNode(int deviceHandle);

protected:
    void Run() override;

private:
    IVexaManager* m_manager;
    int m_deviceHandle;
    QString m_purchasesPath;
    QString m_booksPath;
    std::atomic<int> m_recordCount{0};
};
