<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDeviceTreeNodes</name>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="39"/>
        <source>Media</source>
        <translation>媒体</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="41"/>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="43"/>
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="45"/>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="47"/>
        <source>Contacts</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="49"/>
        <source>Messages</source>
        <translation>信息</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="51"/>
        <source>Apps</source>
        <translation>应用</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="53"/>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="55"/>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <location filename="../../src/device/CDeviceTreeNodes.cpp" line="57"/>
        <source>Music</source>
        <translation>音乐</translation>
    </message>
</context>
<context>
    <name>CHomeTools</name>
    <message>
        <location filename="../../src/device/CHomeTools.cpp" line="21"/>
        <location filename="../../src/device/CHomeTools.cpp" line="43"/>
        <source>Please choose one or more items first!</source>
        <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
        <location filename="../../src/device/CHomeTools.cpp" line="37"/>
        <source>Sorry!
You can&apos;t transfer data in that type to iTunes.</source>
        <translation>抱歉！
此类数据无法传输到 iTunes。</translation>
    </message>
</context>
<context>
    <name>CSingleDetectiPhone</name>
    <message>
        <location filename="../../src/device/CSingleDetectiPhone.cpp" line="33"/>
        <source>IOSListener register failed!</source>
        <translation>设备监听注册失败！</translation>
    </message>
    <message>
        <location filename="../../src/device/CSingleDetectiPhone.cpp" line="35"/>
        <source>Device detection could not start (error %1). Please check that your home folder can be written.</source>
        <translation>无法启动设备检测（错误 %1）。请检查您的主文件夹是否可写。</translation>
    </message>
</context>
<context>
    <name>ConnectWidget</name>
    <message>
        <location filename="../../src/device/ConnectWidget.ui" line="31"/>
        <source>Initializing Apple..</source>
        <translation>正在初始化 Apple 设备..</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.ui" line="46"/>
        <location filename="../../src/device/ConnectWidget.cpp" line="96"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.ui" line="77"/>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp" line="95"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../src/device/ConnectWidget.cpp" line="150"/>
        <source>Go to Help Center&gt;&gt;</source>
        <translation>前往帮助中心&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>DeviceModel</name>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="9"/>
        <source>DeviceName</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="10"/>
        <source>DeviceClass</source>
        <translation>设备类别</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="11"/>
        <source>ProductType</source>
        <translation>产品类型</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="12"/>
        <source>ProductVersion</source>
        <translation>产品版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="13"/>
        <source>SerialNumber</source>
        <translation>序列号</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="14"/>
        <source>UniqueDeviceID</source>
        <translation>设备唯一标识</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="15"/>
        <source>ModelNumber</source>
        <translation>型号</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="16"/>
        <source>BuildVersion</source>
        <translation>内部版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="17"/>
        <source>HardwareModel</source>
        <translation>硬件型号</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="18"/>
        <source>DeviceColor</source>
        <translation>设备颜色</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="19"/>
        <source>RegionInfo</source>
        <translation>地区信息</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="20"/>
        <source>CPUArchitecture</source>
        <translation>CPU 架构</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="21"/>
        <source>Wi-Fi Address</source>
        <translation>Wi-Fi 地址</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="22"/>
        <source>BluetoothAddress</source>
        <translation>蓝牙地址</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="23"/>
        <source>PartitionType</source>
        <translation>分区类型</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="24"/>
        <source>FirmwareVersion</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="25"/>
        <source>ActivationState</source>
        <translation>激活状态</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="26"/>
        <source>ActivationStateAcknowledged</source>
        <translation>激活已确认</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="27"/>
        <source>BasebandVersion</source>
        <translation>基带版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="28"/>
        <source>BasebandBootloaderVersion</source>
        <translation>基带引导程序版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="29"/>
        <source>BasebandChipId</source>
        <translation>基带芯片 ID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="30"/>
        <source>BasebandGoldCertId</source>
        <translation>基带 GoldCert ID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="31"/>
        <source>ICCID</source>
        <translation>ICCID</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="32"/>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="33"/>
        <source>IMSI</source>
        <translation>IMSI</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="34"/>
        <source>MLBSerialNumber</source>
        <translation>主板序列号</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="35"/>
        <source>MobileSubscriberCountryCode</source>
        <translation>移动国家代码</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="36"/>
        <source>MobileSubscriberNetworkCode</source>
        <translation>移动网络代码</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="37"/>
        <source>PasswordProtected</source>
        <translation>密码保护</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="38"/>
        <source>Phone Number</source>
        <translation>电话号码</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="39"/>
        <source>ProductionSOC</source>
        <translation>量产芯片</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="40"/>
        <source>ProtocolVersion</source>
        <translation>协议版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="41"/>
        <source>SDIOProductInfo</source>
        <translation>SDIO 产品信息</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="42"/>
        <source>SIMStatus</source>
        <translation>SIM 卡状态</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="43"/>
        <source>SoftwareBundleVersion</source>
        <translation>软件包版本</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="44"/>
        <source>SupportedDeviceFamilies</source>
        <translation>支持的设备系列</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="45"/>
        <source>SomebodySetTimeZone</source>
        <translation>已手动设置时区</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="46"/>
        <source>TimeIntervalSince1970</source>
        <translation>自 1970 年起的秒数</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="47"/>
        <source>TimeZone</source>
        <translation>时区</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="48"/>
        <source>TimeZoneOffsetFromUTC</source>
        <translation>与 UTC 的时差</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="49"/>
        <source>UniqueChipID</source>
        <translation>芯片唯一标识</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="50"/>
        <source>Uses24HourClock</source>
        <translation>使用 24 小时制</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="51"/>
        <source>iTunesHasConnected</source>
        <translation>已连接 iTunes</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="86"/>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="113"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/device/DeviceModel.cpp" line="115"/>
        <source>Value</source>
        <translation>值</translation>
    </message>
</context>
<context>
    <name>InitDeviceWidget</name>
    <message>
        <location filename="../../src/device/InitDeviceWidget.ui" line="13"/>
        <source>Initializing iOS Device ...</source>
        <translation>正在初始化 iOS 设备 ...</translation>
    </message>
    <message>
        <location filename="../../src/device/InitDeviceWidget.ui" line="28"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../src/device/InitDeviceWidget.cpp" line="37"/>
        <source>InitDeviceWidget::InitControls fail</source>
        <translation>InitDeviceWidget::InitControls 失败</translation>
    </message>
    <message>
        <location filename="../../src/device/InitDeviceWidget.cpp" line="148"/>
        <source>Get device information failed!</source>
        <translation>获取设备信息失败！</translation>
    </message>
</context>
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37"/>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage，图片名称 %1 无效，请重新安装软件！</translation>
    </message>
</context>
<context>
    <name>QAppsView</name>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="10"/>
        <source>Apps</source>
        <translation>应用</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14"/>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Apps/QAppsView.cpp" line="14"/>
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="300"/>
        <source>Entries</source>
        <translation>条目</translation>
    </message>
</context>
<context>
    <name>QContactStatusPanel</name>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="16"/>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QContactStatusPanel.cpp" line="18"/>
        <source>Transfer</source>
        <translation>传输</translation>
    </message>
</context>
<context>
    <name>QContactsView</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="10"/>
        <source>Contacts</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14"/>
        <source>Phone</source>
        <translation>电话</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="14"/>
        <source>E-mail</source>
        <translation>电子邮件</translation>
    </message>
</context>
<context>
    <name>QDeviceInformationWidget</name>
    <message>
        <source>This backup is open for reading: its contacts, messages, call history and photos can be viewed and exported, but nothing in it can be changed. A backup holds no battery or storage figures.</source>
        <translation>以只读方式打开的备份：可以查看和导出其中的联系人、信息、通话记录和照片，不会更改其中任何内容。备份不包含电池和存储空间数据。</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.ui" line="20"/>
        <source>data</source>
        <translation>数据</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.ui" line="25"/>
        <source>system</source>
        <translation>系统</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.ui" line="42"/>
        <source>refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="38"/>
        <source>QDeviceInformationWidget::initControls can&apos;t find image, please re-install software</source>
        <translation>QDeviceInformationWidget::initControls 找不到图片，请重新安装软件</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="40"/>
        <source>QDeviceinformationWideget get deviceInfo failed!</source>
        <translation>QDeviceinformationWideget 获取设备信息失败！</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="149"/>
        <source>Get diskInfo failed!</source>
        <translation>获取磁盘信息失败！</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="163"/>
        <source>Apps</source>
        <translation>应用</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="164"/>
        <source>Music</source>
        <translation>音乐</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="165"/>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="166"/>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="167"/>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="177"/>
        <source>Available</source>
        <translation>可用</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="176"/>
        <source>Used</source>
        <translation>已用</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceInformationWidget.cpp" line="207"/>
        <source>Rename failed!</source>
        <translation>重命名失败！</translation>
    </message>
</context>
<context>
    <name>QDeviceTreeMenus</name>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="58"/>
        <source>New Playlist</source>
        <translation>新建播放列表</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="59"/>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="60"/>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="62"/>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="64"/>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="61"/>
        <source>new Album</source>
        <translation>新建相册</translation>
    </message>
    <message>
        <location filename="../../src/device/QDeviceTreeMenus.cpp" line="63"/>
        <source>Greate New Group</source>
        <translation>新建分组</translation>
    </message>
</context>
<context>
    <name>QInformationWidget</name>
    <message>
        <source>phone number</source>
        <translation>电话号码</translation>
    </message>
    <message>
        <source>backed up</source>
        <translation>备份时间</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="32"/>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="53"/>
        <source>purchased</source>
        <translation>购买日期</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="55"/>
        <source>warranty</source>
        <translation>保修</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="57"/>
        <source>activated</source>
        <translation>已激活</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="59"/>
        <source>version</source>
        <translation>版本</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="61"/>
        <source>serial</source>
        <translation>序列号</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="63"/>
        <source>type</source>
        <translation>型号</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="65"/>
        <source>jailreadked</source>
        <translation>越狱</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="67"/>
        <source>region</source>
        <translation>地区</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="69"/>
        <source>battery</source>
        <translation>电池</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="84"/>
        <source>more</source>
        <translation>更多</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.ui" line="118"/>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <location filename="../../src/device/QInformationWidget.cpp" line="109"/>
        <source>N/A</source>
        <translation>不适用</translation>
    </message>
</context>
<context>
    <name>QMusicView</name>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="10"/>
        <source>Music</source>
        <translation>音乐</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Artist</source>
        <translation>艺术家</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Album</source>
        <translation>专辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Music/QMusicView.cpp" line="14"/>
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
<context>
    <name>QNavigateWidget</name>
    <message>
        <source>Open backup…</source>
        <translation>打开备份…</translation>
    </message>
    <message>
        <source>Open a backup folder to view and export its content (Ctrl+O)</source>
        <translation>打开备份文件夹以查看和导出其内容 (Ctrl+O)</translation>
    </message>
    <message>
        <source>Close backup</source>
        <translation>关闭备份</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="150"/>
        <source>QNavigateWidget::InitControls can&apos;t find /image/btn_help.png image, please re-install software</source>
        <translation>QNavigateWidget::InitControls 找不到图片 /image/btn_help.png，请重新安装软件</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="379"/>
        <source>The playlist could not be changed (error %1).</source>
        <translation>无法修改播放列表（错误 %1）。</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="399"/>
        <source>Get playlist failed</source>
        <translation>获取播放列表失败</translation>
    </message>
    <message>
        <location filename="../../src/device/QNavigateWidget.cpp" line="788"/>
        <source>Playlist name:</source>
        <translation>播放列表名称：</translation>
    </message>
</context>
<context>
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="53"/>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="106"/>
        <source>QOperatePanel::setCustomFirst can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::setCustomFirst 找不到按钮图片，请重新安装软件</translation>
    </message>
</context>
<context>
    <name>QPhotoView</name>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="10"/>
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="14"/>
        <source>Dimensions</source>
        <translation>尺寸</translation>
    </message>
</context>
<context>
    <name>QPlayListView</name>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="10"/>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Artist</source>
        <translation>艺术家</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Album</source>
        <translation>专辑</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Playlist/QPlayListView.cpp" line="14"/>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
</context>
<context>
    <name>QRenameDlg</name>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="70"/>
        <source>QRenameDlg init image fail, please re-install</source>
        <translation>QRenameDlg 初始化图片失败，请重新安装</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="75"/>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="76"/>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="77"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../src/device/QRenameDlg.cpp" line="78"/>
        <source>Device name</source>
        <translation>设备名称</translation>
    </message>
</context>
<context>
    <name>QRightFuntionWidget</name>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="12"/>
        <source>ToPC</source>
        <translation>到电脑</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="13"/>
        <source>ToiTunes</source>
        <translation>到 iTunes</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="14"/>
        <source>ToDevice</source>
        <translation>到设备</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="15"/>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="16"/>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.ui" line="17"/>
        <source>Tools</source>
        <translation>工具</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="60"/>
        <source>Transfer data to local computer</source>
        <translation>将数据传输到本地电脑</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="61"/>
        <source>Transfer data to iPhone, iPad or iPod</source>
        <translation>将数据传输到 iPhone、iPad 或 iPod</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="62"/>
        <source>Transfer data to iTunes library</source>
        <translation>将数据传输到 iTunes 资料库</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="63"/>
        <source>Create backup of iOS devices to computer</source>
        <translation>将 iOS 设备备份到电脑</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="64"/>
        <source>Restore backup to iOS devices</source>
        <translation>将备份恢复到 iOS 设备</translation>
    </message>
    <message>
        <location filename="../../src/device/QRightFuntionWidget.cpp" line="65"/>
        <source>All tools</source>
        <translation>全部工具</translation>
    </message>
</context>
<context>
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="36"/>
        <source>QSearchWidget::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QSearchWidget::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
</context>
<context>
    <name>QSystemView</name>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="10"/>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Modified</source>
        <translation>修改时间</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/System/QSystemView.cpp" line="14"/>
        <source>Type</source>
        <translation>类型</translation>
    </message>
</context>
<context>
    <name>QVideoView</name>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="10"/>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Video/QVideoView.cpp" line="14"/>
        <source>Format</source>
        <translation>格式</translation>
    </message>
</context>
<context>
    <name>CContactsBackup</name>
    <message>
        <source>Backup Contacts</source>
        <translation>备份联系人</translation>
    </message>
    <message>
        <source>Backup failed! %1 could not be written.</source>
        <translation>备份失败！无法写入 %1。</translation>
    </message>
    <message>
        <source>%1 contacts were saved to %2.</source>
        <translation>已将 %1 个联系人保存到 %2。</translation>
    </message>
    <message>
        <source>Reading the contacts from the device...</source>
        <translation>正在从设备读取联系人...</translation>
    </message>
</context>
<context>
    <name>CToolTiles</name>
    <message>
        <source>Please connect your iPhone, iPad or iPod first.</source>
        <translation>请先连接您的 iPhone、iPad 或 iPod。</translation>
    </message>
    <message>
        <source>Convert Video</source>
        <translation>视频转换</translation>
    </message>
    <message>
        <source>Conversion failed! %1 could not be created.</source>
        <translation>转换失败！无法创建 %1。</translation>
    </message>
    <message>
        <source>These files are not videos or could not be converted:
%1</source>
        <translation>以下文件不是视频或无法转换：
%1</translation>
    </message>
    <message>
        <source>%1 videos were converted to MP4 in %2.</source>
        <translation>已将 %1 个视频转换为 MP4，保存在 %2。</translation>
    </message>
    <message>
        <source>The chosen videos are MP4 files already.</source>
        <translation>所选视频已经是 MP4 文件。</translation>
    </message>
    <message>
        <source>No iTunes media folder was found on this computer.</source>
        <translation>在此电脑上未找到 iTunes 媒体文件夹。</translation>
    </message>
    <message>
        <source>Media Files(*.mp3 *.m4a *.aac *.wav *.aif *.aiff *.mp4 *.m4v *.mov)</source>
        <translation>媒体文件(*.mp3 *.m4a *.aac *.wav *.aif *.aiff *.mp4 *.m4v *.mov)</translation>
    </message>
    <message>
        <source>All Files(*)</source>
        <translation>所有文件(*)</translation>
    </message>
    <message>
        <source>Copy to iTunes</source>
        <translation>复制到 iTunes</translation>
    </message>
    <message>
        <source>These files could not be copied:
%1</source>
        <translation>以下文件无法复制：
%1</translation>
    </message>
    <message>
        <source>%1 files were copied to %2.</source>
        <translation>已将 %1 个文件复制到 %2。</translation>
    </message>
</context>
<context>
    <name>QiTunesCopyDlg</name>
    <message>
        <source>Copying to iTunes</source>
        <translation>正在复制到 iTunes</translation>
    </message>
    <message>
        <source>Copying %1 of %2: %3</source>
        <translation>正在复制第 %1 个，共 %2 个：%3</translation>
    </message>
</context>
<context>
    <name>ToolWidget</name>
    <message>
        <location filename="../../src/device/ToolWidget.cpp" line="33"/>
        <source>All tools</source>
        <translation>全部工具</translation>
    </message>
    <message>
        <location filename="../../src/device/ToolWidget.cpp" line="37"/>
        <source>conncect device &gt;&gt;</source>
        <translation>连接设备 &gt;&gt;</translation>
    </message>
    <message>
        <location filename="../../src/device/ToolWidget.cpp" line="92"/>
        <location filename="../../src/device/ToolWidget.cpp" line="93"/>
        <source>Backup Contacts</source>
        <translation>备份联系人</translation>
    </message>
    <message>
        <source>Convert Video</source>
        <translation>视频转换</translation>
    </message>
    <message>
        <source>Copy to iTunes</source>
        <translation>复制到 iTunes</translation>
    </message>
</context>
<context>
    <name>qmessageView</name>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="10"/>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Messages</source>
        <translation>信息</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Contact</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Number</source>
        <translation>号码</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Messages/qmessageView.cpp" line="14"/>
        <source>Last message</source>
        <translation>最后一条信息</translation>
    </message>
</context>
<context>
    <name>CBackupOpener</name>
    <message>
        <source>Open backup</source>
        <translation>打开备份</translation>
    </message>
    <message>
        <source>%1 holds several backups. Choose the folder of one of them.</source>
        <translation>%1 包含多个备份。请选择其中一个备份的文件夹。</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a backup: %2.</source>
        <translation>%1 无法作为备份打开：%2。</translation>
    </message>
    <message>
        <source>It was made by iOS %1, whose files this program may not read completely.</source>
        <translation>它由 iOS %1 创建，本程序可能无法完整读取其文件。</translation>
    </message>
    <message>
        <source>Parts of this backup cannot be read; the rest is shown.
%1</source>
        <translation>此备份的部分内容无法读取；其余内容照常显示。
%1</translation>
    </message>
</context>
<context>
    <name>CBackupTreeNodes</name>
    <message>
        <source>Backups</source>
        <translation>备份</translation>
    </message>
</context>
<context>
    <name>QBackupPasswordDlg</name>
    <message>
        <source>Encrypted backup</source>
        <translation>加密备份</translation>
    </message>
    <message>
        <source>The backup &quot;%1&quot; is encrypted. Enter the password that was set for its backups on the device.</source>
        <translation>备份“%1”已加密。请输入在设备上为其备份设置的密码。</translation>
    </message>
    <message>
        <source>The password is wrong. Please try again.</source>
        <translation>密码错误，请重试。</translation>
    </message>
    <message>
        <source>The backup cannot be unlocked: %1</source>
        <translation>无法解锁备份：%1</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>正在停止…</translation>
    </message>
    <message>
        <source>Checking the password. This takes a few seconds…</source>
        <translation>正在验证密码，这需要几秒钟…</translation>
    </message>
    <message>
        <source>This device encrypts its backups, and its contacts, messages and calls are read from a backup of it. Enter the password that was set for its backups on the device.</source>
        <translation>此设备会加密其备份，其联系人、信息和通话是从备份中读取的。请输入在设备上为其备份设置的密码。</translation>
    </message>
</context>
</TS>
