<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BackupProgressDialog</name>
    <message>
        <source>A backup of this device into this folder is already running.</source>
        <translation>此设备到该文件夹的备份已在进行中。</translation>
    </message>
    <message>
        <location filename="../../src/backup/BackupProgressDialog.cpp" line="+43" />
        <location line="+94" />
        <source>Please wait....</source>
        <translation>请稍候....</translation>
    </message>
    <message>
        <location line="-56" />
        <location line="+54" />
        <source>Backup successfully!</source>
        <translation>备份成功！</translation>
    </message>
    <message>
        <location line="-47" />
        <source>Opps, backup failed. Please try again!</source>
        <translation>哎呀，备份失败。请重试！</translation>
    </message>
    <message>
        <location line="+13" />
        <source>Cancelling the backup...</source>
        <translation>正在取消备份...</translation>
    </message>
    <message>
        <location line="+29" />
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>BackupWidget</name>
    <message>
        <location filename="../../src/backup/BackupWidget.cpp" line="+73" />
        <source>Please select one device!</source>
        <translation>请选择一个设备！</translation>
    </message>
    <message>
        <location line="+4" />
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <location line="+46" />
        <location line="+1" />
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
</context>
<context>
    <name>CDeviceTransfer</name>
    <message>
        <location filename="../../src/backup/CDeviceTransfer.cpp" line="+87" />
        <source>Nothing to copy: the target device already holds all %1 items.</source>
        <translation>无需复制：目标设备已包含全部 %1 项。</translation>
    </message>
    <message>
        <location line="+1" />
        <source>%1 contacts, %2 photos, %3 songs, %4 books copied; %5 skipped</source>
        <translation>已复制 %1 个联系人、%2 张照片、%3 首歌曲、%4 本书；跳过 %5 项</translation>
    </message>
    <message>
        <location line="+11" />
        <source>Contacts</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Music</source>
        <translation>音乐</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Books</source>
        <translation>图书</translation>
    </message>
    <message>
        <location line="+180" />
        <source>Transferred</source>
        <translation>已传输</translation>
    </message>
</context>
<context>
    <name>CProgressEstimate</name>
    <message>
        <location filename="../../src/backup/CProgressEstimate.cpp" line="+14" />
        <source>About %1 remaining</source>
        <translation>大约还剩 %1</translation>
    </message>
    <message>
        <location line="+5" />
        <source>%1 h %2 min</source>
        <translation>%1 小时 %2 分钟</translation>
    </message>
    <message>
        <location line="+2" />
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <location line="+1" />
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
</context>
<context>
    <name>QProgressBlock</name>
    <message>
        <location filename="../../src/backup/QProgressBlock.cpp" line="+46" />
        <location line="+10" />
        <source>%1 of %2 files</source>
        <translation>%1 / %2 个文件</translation>
    </message>
</context>
<context>
    <name>QRestoreDlg</name>
    <message>
        <location filename="../../src/backup/QRestoreDlg.cpp" line="+117" />
        <source>Please select restore file!</source>
        <translation>请选择要恢复的文件！</translation>
    </message>
    <message>
        <location line="+5" />
        <source>
Are you sure to delete this backup file?
</source>
        <translation>
确定要删除此备份文件吗？
</translation>
    </message>
    <message>
        <location line="+59" />
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <location line="+13" />
        <source>This folder holds no backup: Manifest.plist is missing.</source>
        <translation>此文件夹中没有备份：缺少 Manifest.plist。</translation>
    </message>
    <message>
        <location line="+3" />
        <source>This backup can't be read: its Manifest.plist or Info.plist is damaged.</source>
        <translation>无法读取此备份：其 Manifest.plist 或 Info.plist 已损坏。</translation>
    </message>
    <message>
        <location line="+4" />
        <source>This backup can't be read: its Manifest.db is not a valid database.</source>
        <translation>无法读取此备份：其 Manifest.db 不是有效的数据库。</translation>
    </message>
    <message>
        <location line="+44" />
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Restore from Backup</source>
        <translation>从备份恢复</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Reload</source>
        <translation>重新加载</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Open</source>
        <translation>打开</translation>
    </message>
</context>
<context>
    <name>QSelectDeviceRestorDlg</name>
    <message>
        <location filename="../../src/backup/QSelectDeviceRestorDlg.cpp" line="+87" />
        <source>Please select one device!</source>
        <translation>请选择一个设备！</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Please select restore file!</source>
        <translation>请选择要恢复的文件！</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Do you want to restore this backup</source>
        <translation>您要恢复此备份吗</translation>
    </message>
    <message>
        <location line="+25" />
        <source>Restored successfully!</source>
        <translation>恢复成功！</translation>
    </message>
    <message>
        <location line="+2" />
        <source>The restore was cancelled; the device is unchanged.</source>
        <translation>恢复已取消；设备未被更改。</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Restored failed!</source>
        <translation>恢复失败！</translation>
    </message>
    <message>
        <location line="+44" />
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QTransferDeviceDlg</name>
    <message>
        <location filename="../../src/backup/QTransferDeviceDlg.cpp" line="+96" />
        <location line="+149" />
        <source>Checking the connected devices, please wait...</source>
        <translation>正在检查已连接的设备，请稍候...</translation>
    </message>
    <message>
        <location line="-97" />
        <source>Please choose source or target devices first!</source>
        <translation>请先选择源设备或目标设备！</translation>
    </message>
    <message>
        <location line="+6" />
        <source>Please choose two different devices!</source>
        <translation>请选择两个不同的设备！</translation>
    </message>
    <message>
        <location line="+8" />
        <source>The device is no longer connected. Please connect it and try again.</source>
        <translation>设备已断开连接。请连接后重试。</translation>
    </message>
    <message>
        <location line="+4" />
        <source>Transferring information from device '%1' to device '%2'...</source>
        <translation>正在将信息从设备“%1”传输到设备“%2”...</translation>
    </message>
    <message>
        <location line="+33" />
        <source>The transfer failed because a device was disconnected.</source>
        <translation>由于设备断开连接，传输失败。</translation>
    </message>
    <message>
        <location line="+2" />
        <source>The transfer failed.</source>
        <translation>传输失败。</translation>
    </message>
    <message>
        <location line="+37" />
        <source>Source device:</source>
        <translation>源设备：</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Target device:</source>
        <translation>目标设备：</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Transfer</source>
        <translation>传输</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Swap source and target</source>
        <translation>交换源设备和目标设备</translation>
    </message>
    <message>
        <location filename="../../src/backup/QTransferDeviceDlg.cpp"/>
        <source>%1 (backup)</source>
        <translation>%1（备份）</translation>
    </message>
</context>
<context>
    <name>RestorePasswordWidget</name>
    <message>
        <location filename="../../src/backup/RestorePasswordWidget.cpp" line="+56" />
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>RestoreProgressDialog</name>
    <message>
        <location filename="../../src/backup/RestoreProgressDialog.cpp" line="+51" />
        <source>Cancelling the restore...</source>
        <translation>正在取消恢复...</translation>
    </message>
    <message>
        <location line="+20" />
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Restoring the backup, please wait...</source>
        <translation>正在恢复备份，请稍候...</translation>
    </message>
</context>
<context>
    <name>RestoreTableModel</name>
    <message>
        <location filename="../../src/backup/RestoreTableModel.cpp" line="+33" />
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Date Time</source>
        <translation>日期时间</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <location line="+2" />
        <source>SerialNumber</source>
        <translation>序列号</translation>
    </message>
    <message>
        <location line="+2" />
        <source>Path</source>
        <translation>路径</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <location line="+15" />
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <location line="+1" />
        <source>To iDevice</source>
        <translation>传输到设备</translation>
    </message>
</context>
</TS>
