#include "CBackupLog.h"

#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QDomDocument NewLog() {
    QDomDocument document;
    document.appendChild(
        document.createProcessingInstruction(QStringLiteral("xml"), QStringLiteral("version='1.0'")));
    document.appendChild(document.createElement(QStringLiteral("backup")));
    return document;
}

// Serial numbers are letters and digits; anything else would not make a valid element name.
QString ElementName(const QString& serial) {
    QString name = serial;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QStringLiteral("TZ") + name;
}

void AddField(QDomDocument& document, QDomElement& parent, const char* name, const QString& value) {
    QDomElement field = document.createElement(QLatin1String(name));
    field.appendChild(document.createTextNode(value));
    parent.appendChild(field);
}

// The existing log, or a new one; a damaged file is moved aside so nothing of it is lost.
QDomDocument LoadForAppend(const QString& path) {
    QFile file(path);
    if (!file.exists() || file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return NewLog();
    QDomDocument document;
    if (document.setContent(&file) && document.documentElement().tagName() == QLatin1String("backup"))
        return document;
    file.close();
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(path, aside))
        qDebug() << "CBackupLog::Append can't keep the damaged log" << path;
    return NewLog();
}

} // namespace

CBackupLog::CBackupLog(QString path)
    : m_path(std::move(path)) {}

QString CBackupLog::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vexa-transfer/backuplog.xml");
}

QString CBackupLog::TimeText(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(clock.hour())
        .arg(clock.minute())
        .arg(clock.second());
}

bool CBackupLog::Append(const CBackupLogEntry& entry) const {
    QDomDocument document = LoadForAppend(m_path);
    QDomElement root = document.documentElement();
    QDomElement item = document.createElement(ElementName(entry.serialNumber));
    AddField(document, item, "filepath", entry.filepath);
    AddField(document, item, "greateDate", entry.greateDate);
    AddField(document, item, "Name", entry.name);
    AddField(document, item, "BackupSize", entry.backupSize);
    AddField(document, item, "DeviceClass", entry.deviceClass);
    AddField(document, item, "SerialNumber", entry.serialNumber);
    root.appendChild(item);

    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        qDebug() << "error::ParserXML->writeOperateXml->file.open\n";
        return false;
    }
    file.write(document.toByteArray(4));
    return file.commit();
}

QList<CBackupLogEntry> CBackupLog::Entries() const {
    QList<CBackupLogEntry> entries;
    QFile file(m_path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return entries;
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement()) {
        auto text = [&item](const char* name) { return item.firstChildElement(QLatin1String(name)).text(); };
        entries.append({text("filepath"), text("greateDate"), text("Name"), text("BackupSize"),
                        text("DeviceClass"), text("SerialNumber")});
    }
    return entries;
}
