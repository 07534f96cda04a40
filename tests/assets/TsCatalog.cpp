#include "TsCatalog.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString source;
    QString type;
    QStringList texts;
    bool numerus = false;
};

} // namespace

bool TsCatalog::Load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto tag = xml.name();
            if (tag == QLatin1String("context"))
                context.clear();
            else if (tag == QLatin1String("name"))
                context = xml.readElementText();
            else if (tag == QLatin1String("message"))
                message = Message{
                    {}, {}, {}, xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes")};
            else if (tag == QLatin1String("source"))
                message.source = xml.readElementText();
            else if (tag == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                if (!message.numerus)
                    message.texts.append(xml.readElementText());
            } else if (tag == QLatin1String("numerusform"))
                message.texts.append(xml.readElementText());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            const QString key = Key(context, message.source);
            const bool empty = message.texts.isEmpty() ||
                               std::any_of(message.texts.cbegin(), message.texts.cend(),
                                           [](const QString& text) { return text.trimmed().isEmpty(); });
            const bool obsolete =
                message.type == QLatin1String("obsolete") || message.type == QLatin1String("vanished");
            if (!obsolete)
                m_sourceKeys.insert(key);
            if (obsolete)
                m_problems.append(
                    QStringLiteral("%1: obsolete entry %2 (run lupdate with -no-obsolete)").arg(name, key));
            else if (message.type == QLatin1String("unfinished"))
                m_problems.append(QStringLiteral("%1: unfinished %2").arg(name, key));
            else if (empty)
                m_problems.append(QStringLiteral("%1: empty translation of %2").arg(name, key));
            else
                m_keys.insert(key);
        }
    }
    if (xml.hasError()) {
        *error = QStringLiteral("%1: %2 at line %3").arg(name, xml.errorString()).arg(xml.lineNumber());
        return false;
    }
    return true;
}
