<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CHeicToJpegTool</name>
    <message numerus="yes">
        <source>%n picture(s) were converted to JPEG in %1.</source>
        <translation>
            <numerusform>%n picture was converted to JPEG in %1.</numerusform>
            <numerusform>%n pictures were converted to JPEG in %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n picture(s) could not be read and were skipped.</source>
        <translation>
            <numerusform>%n picture could not be read and was skipped.</numerusform>
            <numerusform>%n pictures could not be read and were skipped.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CReadOnlyPage</name>
    <message numerus="yes">
        <source>%n book(s) could not be read: their files are not on the device.</source>
        <translation>
            <numerusform>%n book could not be read: its file is not on the device.</numerusform>
            <numerusform>%n books could not be read: their files are not on the device.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) of the media library could not be read: their files are not on the device.</source>
        <translation>
            <numerusform>%n item of the media library could not be read: its file is not on the device.</numerusform>
            <numerusform>%n items of the media library could not be read: their files are not on the device.</numerusform>
        </translation>
    </message>
</context>
</TS>
