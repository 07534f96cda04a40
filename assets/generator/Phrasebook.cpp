#include "Phrasebook.h"

#include <QHash>

namespace {

struct Translations {
    const char* german;
    const char* chinese;
};

const QHash<QString, Translations>& phrases() {
    static const QHash<QString, Translations> table = {
        {"Vexa Transfer", {"Vexa Transfer", "Vexa Transfer"}},
        {"Downloading support files", {"Unterstützungsdateien werden geladen", "正在下载支持文件"}},
        {"Vexa Transfer needs a few support files to talk to your device. They are being downloaded now.",
         {"Vexa Transfer benötigt einige Unterstützungsdateien, um mit Ihrem Gerät zu kommunizieren. Sie "
          "werden "
          "jetzt heruntergeladen.",
          "Vexa Transfer 需要一些支持文件才能与您的设备通信，现在正在下载。"}},
        {"Restart", {"Neu starten", "重新启动"}},
        {"Vexa Transfer has stopped", {"Vexa Transfer wurde beendet", "Vexa Transfer 已停止运行"}},
        {"Sorry, the program ran into a problem and had to close. A report about the problem has been saved. "
         "Would you like to send it so that we can fix the problem?",
         {"Leider ist ein Problem aufgetreten und das Programm musste beendet werden. Ein Bericht über das "
          "Problem "
          "wurde gespeichert. Möchten Sie ihn senden, damit wir das Problem beheben können?",
          "抱歉，程序遇到问题需要关闭。问题报告已保存。是否发送该报告，以便我们修复此问题？"}},
        {"Send", {"Senden", "发送"}},
        {"Cancel", {"Abbrechen", "取消"}},
        {"To Computer", {"Auf den Computer", "导出到电脑"}},
        {"To iDevice", {"Auf das iGerät", "传输到设备"}},
        {"To iTunes", {"Nach iTunes", "导入 iTunes"}},
        {"Backup", {"Sicherung", "备份"}},
        {"Restore", {"Wiederherstellen", "恢复"}},
        {"All Tools", {"Alle Werkzeuge", "全部工具"}},
        {"Video Management Tools", {"Videoverwaltung", "视频管理工具"}},
        {"Contacts Management Tools", {"Kontaktverwaltung", "联系人管理工具"}},
        {"Device Management Tools", {"Geräteverwaltung", "设备管理工具"}},
        {"iTunes Management Tools", {"iTunes-Verwaltung", "iTunes 管理工具"}},
        {"Backup Contacts", {"Kontakte sichern", "备份联系人"}},
        {"Convert Video", {"Video umwandeln", "视频转换"}},
        {"Copy to iTunes", {"Nach iTunes kopieren", "复制到 iTunes"}},
        {"Photo Management Tools", {"Fotoverwaltung", "照片管理工具"}},
        {"HEIC to JPEG", {"HEIC in JPEG", "HEIC 转 JPEG"}},
        {"Connect iDevices", {"iGeräte verbinden", "连接设备"}},
        {"About", {"Über", "关于"}},
        {"OK", {"OK", "确定"}},
        {"Supports iPhone, iPad and iPod touch",
         {"Unterstützt iPhone, iPad und iPod touch", "支持 iPhone、iPad 和 iPod touch"}},
        {"Connection failed", {"Verbindung fehlgeschlagen", "连接失败"}},
        {"Need some help?", {"Brauchen Sie Hilfe?", "需要帮助吗？"}},
        {"Retry", {"Wiederholen", "重试"}},
        {"Cancel connection", {"Verbindung abbrechen", "取消连接"}},
        {"Do you really want to stop connecting to this device?",
         {"Möchten Sie die Verbindung mit diesem Gerät wirklich abbrechen?", "确定要停止连接此设备吗？"}},
        {"My Devices", {"Meine Geräte", "我的设备"}},
        {"Data", {"Daten", "数据"}},
        {"System", {"System", "系统"}},
        {"Refresh", {"Aktualisieren", "刷新"}},
        {"More details", {"Mehr Details", "更多信息"}},
        {"Back", {"Zurück", "返回"}},
        {"Rename iDevice", {"iGerät umbenennen", "重命名设备"}},
        {"Enter a new name for your device.",
         {"Geben Sie einen neuen Namen für Ihr Gerät ein.", "请输入设备的新名称。"}},
        {"Confirm", {"Bestätigen", "确认"}},
        {"Add", {"Hinzufügen", "添加"}},
        {"Delete", {"Löschen", "删除"}},
        {"No contacts found", {"Keine Kontakte gefunden", "未找到联系人"}},
        {"Press Refresh to read the contacts of your device again.",
         {"Klicken Sie auf Aktualisieren, um die Kontakte Ihres Geräts erneut zu lesen.",
          "点击“刷新”重新读取设备中的联系人。"}},
        {"No messages found", {"Keine Nachrichten gefunden", "未找到短信"}},
        {"There are no messages on this device.",
         {"Auf diesem Gerät gibt es keine Nachrichten.", "此设备上没有短信。"}},
        {"Go", {"Los", "跳转"}},
        {"No books found", {"Keine Bücher gefunden", "未找到图书"}},
        {"Add EPUB or PDF books from your computer.",
         {"Fügen Sie EPUB- oder PDF-Bücher von Ihrem Computer hinzu.", "从电脑添加 EPUB 或 PDF 图书。"}},
        {"Add Book", {"Buch hinzufügen", "添加图书"}},
        {"Processing data", {"Daten werden verarbeitet", "正在处理数据"}},
        {"Install App", {"App installieren", "安装应用"}},
        {"Installing app", {"App wird installiert", "正在安装应用"}},
        {"Uninstalling app", {"App wird deinstalliert", "正在卸载应用"}},
        {"New Folder", {"Neuer Ordner", "新建文件夹"}},
        {"Open Folder", {"Ordner öffnen", "打开文件夹"}},
        {"Remove", {"Entfernen", "移除"}},
        {"Reload", {"Neu laden", "重新加载"}},
        {"Import", {"Importieren", "导入"}},
        {"Open", {"Öffnen", "打开"}},
        {"Encrypted backup", {"Verschlüsselte Sicherung", "加密备份"}},
        {"This backup is protected by a password. Enter it to restore the backup.",
         {"Diese Sicherung ist durch ein Kennwort geschützt. Geben Sie es ein, um die Sicherung "
          "wiederherzustellen.",
          "此备份受密码保护。请输入密码以恢复备份。"}},
        {"Device to device transfer", {"Übertragung von Gerät zu Gerät", "设备间传输"}},
        {"Transfer", {"Übertragen", "传输"}},
        {"Yes", {"Ja", "是"}},
        {"No", {"Nein", "否"}},
        {"Restart later", {"Später neu starten", "稍后重启"}},
    };
    return table;
}

} // namespace

bool Phrasebook::Translate(const QString& english, const QString& languageCode, QString* translated) {
    if (english.isEmpty() || languageCode == QLatin1String("en")) {
        *translated = english;
        return true;
    }
    const auto found = phrases().constFind(english);
    if (found == phrases().cend())
        return false;
    const char* text = languageCode == QLatin1String("de") ? found->german : found->chinese;
    *translated = QString::fromUtf8(text);
    return true;
}
