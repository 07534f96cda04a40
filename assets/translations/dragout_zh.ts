<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDroppedFiles</name>
    <message>
        <source>%1 dropped file(s) skipped: only %2 files can be added here.</source>
        <translation>已跳过 %1 个拖入的文件：此处只能添加 %2 文件。</translation>
    </message>
</context>
</TS>
