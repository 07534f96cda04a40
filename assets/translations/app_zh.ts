<?xml version='1.0' encoding='UTF-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CheckDownloadDlg</name>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="65"/>
        <source>Go to URL</source>
        <translation>转到网址</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="72"/>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="75"/>
        <source>After installing, the program will be compatible with iTunes 12.1 automatically.</source>
        <translation>安装完成后，程序将自动兼容 iTunes 12.1。</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="94"/>
        <source>Restart</source>
        <translation>重新启动</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="110"/>
        <source>Unable to save the file %1: %2.</source>
        <translation>无法保存文件 %1：%2。</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="117"/>
        <source>Current downloading: </source>
        <translation>正在下载：</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="192"/>
        <source>Download failed: %1.</source>
        <translation>下载失败：%1。</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="199"/>
        <source>Too many redirects</source>
        <translation>重定向次数过多</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="202"/>
        <source>Redirect to %1 ?</source>
        <translation>重定向到 %1？</translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="230"/>
        <source>This will restart in </source>
        <translation>程序将在 </translation>
    </message>
    <message>
        <location filename="../../src/app/CheckDownloadDlg.cpp" line="230"/>
        <source> seconds.</source>
        <translation> 秒后重新启动。</translation>
    </message>
</context>
<context>
    <name>ErrorNoteDlg</name>
    <message>
        <location filename="../../src/app/ErrorNoteDlg.cpp" line="57"/>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <location filename="../../src/app/ErrorNoteDlg.cpp" line="61"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="20"/>
        <source>Vexa Transfer</source>
        <translation>Vexa Transfer</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../src/app/main.cpp" line="36"/>
        <source>No iTunes is installed on this computer. Please install it first. The drive containing the installation package of iTunes will be used when scanning your device. Go to Apple official website to download iTunes.</source>
        <translation>此电脑未安装 iTunes，请先安装。扫描设备时需要使用 iTunes 安装包中的驱动程序。请前往 Apple 官方网站下载 iTunes。</translation>
    </message>
</context>
</TS>