#include "CMessagePages.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QUrl>

#include "CMessageChunk.h"
#include "CMessageExport.h"
#include "FormatSize.h"

namespace {

const char* const kStyle = R"(
body{margin:0;font-family:-apple-system,"Segoe UI",Roboto,"Noto Sans",sans-serif;background:#f2f2f7;color:#1c1c1e}
header{position:sticky;top:0;background:#fbfbfd;border-bottom:1px solid #d1d1d6;padding:.6em 1.2em}
header h1{font-size:1.25em;margin:.1em 0}
header p{margin:0;color:#6e6e73}
header a{color:#0a7aff;text-decoration:none}
main{max-width:46em;margin:0 auto;padding:1em}
.message{display:flex;margin:.35em 0}
.message.sent{justify-content:flex-end}
.bubble{max-width:70%;padding:.5em .8em;border-radius:1.1em;background:#e5e5ea;overflow-wrap:anywhere}
.sent .bubble{background:#0a7aff;color:#fff}
.text{margin:0;white-space:pre-wrap}
.bubble img{display:block;max-width:100%;max-height:18em;border-radius:.7em;margin:.3em 0}
.file{margin:.3em 0}
.file a{color:inherit}
.size,time{font-size:.8em;opacity:.75}
time{display:block;margin-top:.2em}
table{border-collapse:collapse;width:100%;background:#fff}
th,td{text-align:left;padding:.5em .8em;border-bottom:1px solid #e5e5ea}
td a{color:#0a7aff;text-decoration:none}
)";

QString Escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

// A relative path as a link: each part percent-encoded, the separators kept.
QString Link(const QString& relative) {
    QStringList parts = relative.split(QLatin1Char('/'));
    for (QString& part : parts)
        part = QString::fromLatin1(QUrl::toPercentEncoding(part));
    return parts.join(QLatin1Char('/'));
}

QString Head(const QString& title) {
    return QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<title>%1</title>\n<style>%2</style>\n</head>\n<body>\n")
        .arg(title.toHtmlEscaped(), QLatin1String(kStyle));
}

QString Title(const CMessageChunk& conversation) {
    const std::string& name = conversation.GetName();
    return QString::fromStdString(name.empty() ? conversation.number : name);
}

QString Attachments(const CMessageChunk::Entry& entry) {
    QString html;
    for (const CMessageChunk::Attachment& attachment : entry.attachments) {
        const QString name = Escaped(attachment.name);
        const QString size = FormatSize(uint64_t(std::max<int64_t>(0, attachment.size))).toHtmlEscaped();
        if (attachment.exportPath.empty()) {
            // Not copied: named, so that the reader knows something was sent.
            html += QStringLiteral("<p class=\"file missing\">%1 <span class=\"size\">%2</span></p>\n")
                        .arg(name, size);
            continue;
        }
        const QString link = QStringLiteral("../") + Link(QString::fromStdString(attachment.exportPath));
        if (attachment.IsImage())
            html += QStringLiteral("<a href=\"%1\"><img src=\"%1\" alt=\"%2\" loading=\"lazy\"></a>\n")
                        .arg(link, name);
        else
            html +=
                QStringLiteral("<p class=\"file\"><a href=\"%1\">%2</a> <span class=\"size\">%3</span></p>\n")
                    .arg(link, name, size);
    }
    return html;
}

QString ConversationPage(const CMessageChunk& conversation, const QString& indexLink) {
    const QString title = Title(conversation);
    QString html = Head(title);
    html += QStringLiteral("<header>\n<a href=\"%1\">%2</a>\n<h1>%3</h1>\n<p>%4</p>\n</header>\n<main>\n")
                .arg(indexLink, CMessagePages::tr("All conversations").toHtmlEscaped(), title.toHtmlEscaped(),
                     Escaped(conversation.number));
    for (const CMessageChunk::Entry& entry : conversation.messages) {
        html +=
            QStringLiteral("<div class=\"message %1\"><div class=\"bubble\">\n")
                .arg(conversation.IsIncoming(entry) ? QStringLiteral("received") : QStringLiteral("sent"));
        html += Attachments(entry);
        if (!entry.text.empty())
            html += QStringLiteral("<p class=\"text\">%1</p>\n").arg(Escaped(entry.text));
        html += QStringLiteral("<time>%1</time>\n</div></div>\n").arg(Escaped(entry.dateTime));
    }
    html += QStringLiteral("</main>\n</body>\n</html>\n");
    return html;
}

bool WriteFile(const QString& path, const QString& html) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(html.toUtf8());
    return file.commit();
}

} // namespace

QString CMessagePages::PageName(int position) {
    return QStringLiteral("%1.html").arg(position + 1, 3, 10, QLatin1Char('0'));
}

bool CMessagePages::Write(const std::list<CMessageChunk*>& conversations, const QString& indexPath,
                          const QString& namedAs) {
    const QDir beside = QFileInfo(namedAs).absoluteDir();
    const QString folder = CMessageExport::PageFolder(namedAs);
    if (!beside.mkpath(folder))
        return false;
    const QString indexLink = QStringLiteral("../") + Link(QFileInfo(namedAs).fileName());
    const QString title = CMessagePages::tr("Messages");
    QString index = Head(title);
    index +=
        QStringLiteral("<header>\n<h1>%1</h1>\n<p>%2</p>\n</header>\n<main>\n<table>\n"
                       "<thead><tr><th>%3</th><th>%4</th><th>%5</th><th>%6</th></tr></thead>\n<tbody>\n")
            .arg(title.toHtmlEscaped(),
                 CMessagePages::tr("%n conversation(s)", nullptr, int(conversations.size())).toHtmlEscaped(),
                 CMessagePages::tr("Name").toHtmlEscaped(), CMessagePages::tr("Number").toHtmlEscaped(),
                 CMessagePages::tr("Messages").toHtmlEscaped(),
                 CMessagePages::tr("Last message").toHtmlEscaped());
    int position = 0;
    for (const CMessageChunk* conversation : conversations) {
        const QString page = PageName(position++);
        if (!WriteFile(beside.filePath(folder + QLatin1Char('/') + page),
                       ConversationPage(*conversation, indexLink)))
            return false;
        const QString last = conversation->messages.empty()
                                 ? QString()
                                 : QString::fromStdString(conversation->messages.back().dateTime);
        index += QStringLiteral("<tr><td><a href=\"%1\">%2</a></td><td>%3</td><td>%4</td><td>%5</td></tr>\n")
                     .arg(Link(folder + QLatin1Char('/') + page), Title(*conversation).toHtmlEscaped(),
                          Escaped(conversation->number))
                     .arg(conversation->messages.size())
                     .arg(last.toHtmlEscaped());
    }
    index += QStringLiteral("</tbody>\n</table>\n</main>\n</body>\n</html>\n");
    return WriteFile(indexPath, index);
}
