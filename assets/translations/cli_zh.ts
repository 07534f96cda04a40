<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAppCommands</name>
    <message>
        <source>List the installed apps: bundle id, version, name.</source>
        <translation>列出已安装的应用：Bundle ID、版本、名称。</translation>
    </message>
    <message>
        <source>Install an app from its .ipa file.</source>
        <translation>从 .ipa 文件安装应用。</translation>
    </message>
    <message>
        <source>Remove an installed app.</source>
        <translation>删除已安装的应用。</translation>
    </message>
    <message>
        <source>the apps could not be listed</source>
        <translation>无法列出应用</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 不是文件</translation>
    </message>
    <message>
        <source>%1 could not be installed</source>
        <translation>无法安装 %1</translation>
    </message>
    <message>
        <source>%1 could not be removed</source>
        <translation>无法删除 %1</translation>
    </message>
</context>
<context>
    <name>CBackupCommands</name>
    <message>
        <source>a backup of this device into %1 is already running</source>
        <translation>此设备到 %1 的备份已在进行中</translation>
    </message>
    <message>
        <source>Restore a backup folder onto the device.</source>
        <translation>将备份文件夹恢复到设备。</translation>
    </message>
    <message>
        <source>The file that holds the backup&apos;s password.</source>
        <translation>保存备份密码的文件。</translation>
    </message>
    <message>
        <source>List the backups the program knows: its log and the folders added to it.</source>
        <translation>列出程序已知的备份：其日志和已添加的文件夹。</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>Backing up</source>
        <translation>正在备份</translation>
    </message>
    <message>
        <source>cancelled; the earlier backup in %1 is unchanged</source>
        <translation>已取消；%1 中之前的备份保持不变</translation>
    </message>
    <message>
        <source>the backup failed</source>
        <translation>备份失败</translation>
    </message>
    <message>
        <source>%1 holds no readable backup</source>
        <translation>%1 中没有可读取的备份</translation>
    </message>
    <message>
        <source>Restoring</source>
        <translation>正在恢复</translation>
    </message>
    <message>
        <source>cancelled; the device is unchanged</source>
        <translation>已取消；设备未被更改</translation>
    </message>
    <message>
        <source>the restore failed</source>
        <translation>恢复失败</translation>
    </message>
    <message>
        <source>Back the whole device up into DIR/&lt;udid&gt;; a backup already there is brought up to date.</source>
        <translation>将整台设备备份到 DIR/&lt;udid&gt;；已有的备份会被更新到最新。</translation>
    </message>
    <message>
        <source>Copy every file, even when DIR/&lt;udid&gt; holds an earlier backup of the device (by default only the files changed since are copied).</source>
        <translation>复制所有文件，即使 DIR/&lt;udid&gt; 中已有该设备的较早备份（默认只复制此后更改的文件）。</translation>
    </message>
    <message numerus="yes">
        <source>%n files copied (%1 bytes)</source>
        <translation>
            <numerusform>已复制 %n 个文件（%1 字节）</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CBackupSource</name>
    <message numerus="yes">
        <source>%1 holds %n backups; name the folder of one: %2</source>
        <translation>
            <numerusform>%1 中有 %n 个备份；请指定其中一个的文件夹：%2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 holds no backup (no Manifest.db)</source>
        <translation>%1 中没有备份（没有 Manifest.db）</translation>
    </message>
    <message>
        <source>%1 holds no readable backup</source>
        <translation>%1 中没有可读取的备份</translation>
    </message>
    <message>
        <source>the backup&apos;s password is wrong</source>
        <translation>备份密码错误</translation>
    </message>
    <message>
        <source>%1 could not be opened</source>
        <translation>无法打开 %1</translation>
    </message>
    <message>
        <source>the %1 could not be read from the backup</source>
        <translation>无法从备份读取 %1</translation>
    </message>
</context>
<context>
    <name>CCliContext</name>
    <message>
        <source>the device library could not start</source>
        <translation>设备库无法启动</translation>
    </message>
</context>
<context>
    <name>CCliDevices</name>
    <message>
        <source>no device with the UDID %1 is plugged in</source>
        <translation>未连接 UDID 为 %1 的设备</translation>
    </message>
    <message>
        <source>the device does not trust this computer yet: unlock it and tap &quot;Trust&quot;</source>
        <translation>设备尚未信任此电脑：请解锁设备并轻点“信任”</translation>
    </message>
    <message>
        <source>no device is plugged in</source>
        <translation>未连接设备</translation>
    </message>
    <message numerus="yes">
        <source>%n devices are plugged in; name one with -u UDID: %1</source>
        <translation>
            <numerusform>已连接 %n 台设备；请用 -u UDID 指定一台：%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CCliFileExport</name>
    <message>
        <source>Copying</source>
        <translation>正在复制</translation>
    </message>
</context>
<context>
    <name>CCliPhotoExport</name>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>无法写入 %1</translation>
    </message>
    <message numerus="yes">
        <source>%n entries could not be copied</source>
        <translation>
            <numerusform>%n 个条目无法复制</numerusform>
        </translation>
    </message>
    <message>
        <source>the photos could not be read from the device</source>
        <translation>无法从设备读取照片</translation>
    </message>
    <message>
        <source>the photos could not be read from the backup</source>
        <translation>无法从备份读取照片</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s) could not be read from the device</source>
        <translation>
            <numerusform>%n 张照片无法从设备读取</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CCliProgram</name>
    <message>
        <source>The device to work on; may be left out when only one is plugged in.</source>
        <translation>要操作的设备；只连接一台设备时可省略。</translation>
    </message>
    <message>
        <source>Print one JSON document.</source>
        <translation>输出一个 JSON 文档。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>显示此帮助。</translation>
    </message>
    <message>
        <source>Usage: vexa COMMAND [OPTIONS] [ARGUMENTS]</source>
        <translation>用法：vexa 命令 [选项] [参数]</translation>
    </message>
    <message>
        <source>Manages iPhones and iPads from the command line.</source>
        <translation>在命令行中管理 iPhone 和 iPad。</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>Run &quot;vexa COMMAND --help&quot; for the options of one command.</source>
        <translation>运行“vexa 命令 --help”查看某个命令的选项。</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 the operation failed, 2 bad usage, 3 no such device or more than one, 4 wrong or missing password, 5 cancelled.</source>
        <translation>退出状态：0 成功，1 操作失败，2 用法错误，3 无此设备或多于一台，4 密码错误或缺失，5 已取消。</translation>
    </message>
    <message>
        <source>Usage: vexa %1 %2</source>
        <translation>用法：vexa %1 %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (see vexa --help)</source>
        <translation>未知命令“%1”（参见 vexa --help）</translation>
    </message>
    <message>
        <source>usage: vexa %1 %2</source>
        <translation>用法：vexa %1 %2</translation>
    </message>
</context>
<context>
    <name>CCliProgress</name>
    <message>
        <source>%1/s</source>
        <translation>%1/秒</translation>
    </message>
</context>
<context>
    <name>CDeviceCommands</name>
    <message>
        <source>List the plugged devices: UDID, name, model, iOS version, backend.</source>
        <translation>列出已连接的设备：UDID、名称、型号、iOS 版本、后端。</translation>
    </message>
    <message>
        <source>Show a device&apos;s properties and storage figures.</source>
        <translation>显示设备的属性和存储数据。</translation>
    </message>
    <message>
        <source>Give a device a new name.</source>
        <translation>为设备重新命名。</translation>
    </message>
    <message>
        <source>the new name is empty</source>
        <translation>新名称为空</translation>
    </message>
    <message>
        <source>the device could not be renamed</source>
        <translation>无法重命名设备</translation>
    </message>
</context>
<context>
    <name>CExportCommand</name>
    <message numerus="yes">
        <source>%n attachment(s) could not be copied; the export names them</source>
        <translation>
            <numerusform>%n 个附件无法复制；导出文件中列出了它们</numerusform>
        </translation>
    </message>
    <message>
        <source>The folder to write into; made when missing.</source>
        <translation>写入的文件夹；不存在时会创建。</translation>
    </message>
    <message>
        <source>The file that holds the backup&apos;s password.</source>
        <translation>保存备份密码的文件。</translation>
    </message>
    <message>
        <source>unknown category &quot;%1&quot;: contacts, messages, calls, photos, music, videos or books</source>
        <translation>未知类别“%1”：contacts、messages、calls、photos、music、videos 或 books</translation>
    </message>
    <message>
        <source>name the folder to write into with --to DIR</source>
        <translation>请用 --to DIR 指定写入的文件夹</translation>
    </message>
    <message>
        <source>name a device or a backup, not both</source>
        <translation>请指定设备或备份，不能同时指定</translation>
    </message>
    <message>
        <source>%1 are not exported as &quot;%2&quot;; formats: %3</source>
        <translation>%1 不能导出为“%2”；可用格式：%3</translation>
    </message>
    <message>
        <source>%1 are exported from a device, not from a backup</source>
        <translation>%1 只能从设备导出，不能从备份导出</translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>the %1 could not be read from the device</source>
        <translation>无法从设备读取 %1</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>无法写入 %1</translation>
    </message>
    <message numerus="yes">
        <source>%n entries could not be copied</source>
        <translation>
            <numerusform>%n 个条目无法复制</numerusform>
        </translation>
    </message>
    <message>
        <source>a backup is read-only: write the export outside %1</source>
        <translation>备份是只读的：请将导出写到 %1 之外</translation>
    </message>
    <message>
        <source>Export contacts, messages, calls, photos, music, videos or books into a folder.</source>
        <translation>将联系人、信息、通话记录、照片、音乐、视频或图书导出到文件夹。</translation>
    </message>
    <message>
        <source>The file format: vcf, xml, xls, txt or csv for contacts; txt, xml, xls or html for messages; txt, xml, xls or csv for calls; original or jpeg (HEIC and PNG pictures converted) for photos.</source>
        <translation>文件格式：联系人为 vcf、xml、xls、txt 或 csv；信息为 txt、xml、xls 或 html；通话记录为 txt、xml、xls 或 csv；照片为 original 或 jpeg（转换 HEIC 和 PNG 图片）。</translation>
    </message>
    <message>
        <source>Read contacts, messages, calls or photos from a backup folder (the one that holds Manifest.db) instead of a device.</source>
        <translation>从备份文件夹（包含 Manifest.db 的文件夹）而不是设备读取联系人、信息、通话记录或照片。</translation>
    </message>
    <message>
        <source>Reading the device</source>
        <translation>正在读取设备</translation>
    </message>
    <message>
        <source>the device could not be read</source>
        <translation>无法读取设备</translation>
    </message>
    <message>
        <source>the password of the device's backups is wrong</source>
        <translation>设备备份的密码错误</translation>
    </message>
    <message>
        <source>the device's backups are not encrypted, and a phone gives its call history only to an encrypted backup: no calls were read</source>
        <translation>设备的备份未加密，而手机只会把通话记录交给加密的备份：未读取任何通话</translation>
    </message>
</context>
<context>
    <name>CFileCommands</name>
    <message>
        <source>List a folder of the device.</source>
        <translation>列出设备上的文件夹。</translation>
    </message>
    <message>
        <source>Show type, size and time of each entry.</source>
        <translation>显示每个条目的类型、大小和时间。</translation>
    </message>
    <message>
        <source>Copy a file or folder of the device to the computer.</source>
        <translation>将设备上的文件或文件夹复制到电脑。</translation>
    </message>
    <message>
        <source>Copy a file or folder of the computer into a folder of the device.</source>
        <translation>将电脑上的文件或文件夹复制到设备的文件夹中。</translation>
    </message>
    <message>
        <source>%1: no such file or folder on the device</source>
        <translation>%1：设备上没有此文件或文件夹</translation>
    </message>
    <message>
        <source>%1: the folder could not be read</source>
        <translation>%1：无法读取该文件夹</translation>
    </message>
    <message>
        <source>%1 exists already</source>
        <translation>%1 已存在</translation>
    </message>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation>无法将 %1 复制到 %2</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1：没有此文件或文件夹</translation>
    </message>
    <message>
        <source>%1: no such folder on the device</source>
        <translation>%1：设备上没有此文件夹</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>正在复制</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message numerus="yes">
        <source>%n entries could not be copied</source>
        <translation>
            <numerusform>%n 个条目无法复制</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CPasswordSource</name>
    <message>
        <source>the backup is protected by a password: give it with --password-file or VEXA_BACKUP_PASSWORD</source>
        <translation>该备份受密码保护：请用 --password-file 或 VEXA_BACKUP_PASSWORD 提供密码</translation>
    </message>
    <message>
        <source>the password file %1 could not be read</source>
        <translation>无法读取密码文件 %1</translation>
    </message>
    <message>
        <source>Backup password: </source>
        <translation>备份密码：</translation>
    </message>
</context>
</TS>
