<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AddContactsDlg</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="66"/>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="124"/>
        <source>Edit Contact</source>
        <translation>编辑联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="124"/>
        <source>Add Contact</source>
        <translation>添加联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="126"/>
        <source>yes</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="127"/>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="128"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp" line="129"/>
        <source>Reset the form</source>
        <translation>重置表单</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsDlg.cpp"/>
        <source>The contact is empty. Please enter a name, a phone number or an e-mail address.</source>
        <translation>联系人为空。请输入姓名、电话号码或电子邮件地址。</translation>
    </message>
</context>
<context>
    <name>AddContactsWidget</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="143"/>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="144"/>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="145"/>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="146"/>
        <source>Nick Name</source>
        <translation>昵称</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="147"/>
        <source>Phone</source>
        <translation>电话</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="148"/>
        <source>E-mail</source>
        <translation>电子邮件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="149"/>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="150"/>
        <source>Change Photo</source>
        <translation>更换照片</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="151"/>
        <source>Add E-mail</source>
        <translation>添加电子邮件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="177"/>
        <source>More Details</source>
        <translation>更多信息</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="297"/>
        <source>Company: %1</source>
        <translation>公司：%1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="299"/>
        <source>Job Title: %1</source>
        <translation>职位：%1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="301"/>
        <source>Birthday: %1</source>
        <translation>生日：%1</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="303"/>
        <source>Address (%1): %2</source>
        <translation>地址（%1）：%2</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="305"/>
        <source>Web Page (%1): %2</source>
        <translation>网页（%1）：%2</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="153"/>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="162"/>
        <source>Ungrouped</source>
        <translation>未分组</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="281"/>
        <source>No photo</source>
        <translation>无照片</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="291"/>
        <source>Get photo data failed! Please choose another one!</source>
        <translation>获取照片数据失败！请选择其他照片！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp" line="304"/>
        <source>Import File</source>
        <translation>导入文件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/AddContactsWidget.cpp"/>
        <source>Picture files (%1);;All files (*)</source>
        <translation>图片文件 (%1);;所有文件 (*)</translation>
    </message>
</context>
<context>
    <name>QAddDataWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QAddDataWidget.cpp" line="37"/>
        <source>QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!</source>
        <translation>QAddDataWidget::setLabelImage：图片名称 %1 无效，请重新安装！</translation>
    </message>
</context>
<context>
    <name>QBaseDetailsView</name>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp" line="304"/>
        <source>Entries</source>
        <translation>条目</translation>
    </message>
    <message>
        <source>There is nothing here on the device.</source>
        <translation>设备上此处没有任何内容。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Base/QBaseDetailsView.cpp"/>
        <source>Nothing matches "%1".</source>
        <translation>没有与“%1”匹配的项目。</translation>
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
    <name>QContactsModel</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Phone Number</source>
        <translation>电话号码</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="25"/>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsModel.cpp" line="38"/>
        <source>Ungrouped</source>
        <translation>未分组</translation>
    </message>
</context>
<context>
    <name>QContactsView</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="104"/>
        <source>Contacts</source>
        <translation>联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="164"/>
        <source>Get Contact information failed!</source>
        <translation>获取联系人信息失败！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="307"/>
        <source>Add contact failed!</source>
        <translation>添加联系人失败！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="337"/>
        <source>Modify contact failed!</source>
        <translation>修改联系人失败！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="358"/>
        <source>Please choose any of items to delete!</source>
        <translation>请选择要删除的项目！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="361"/>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="371"/>
        <source>Are you sure to delete the selected item(s)?</source>
        <translation>确定要删除所选项目吗？</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="395"/>
        <source>Create group failed!</source>
        <translation>创建分组失败！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="404"/>
        <source>Are you sure to delete the group &quot;%1&quot;? Its contacts stay.</source>
        <translation>确定要删除分组“%1”吗？其中的联系人会保留。</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="411"/>
        <source>Delete group failed!</source>
        <translation>删除分组失败！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="425"/>
        <source>Rename group failed!</source>
        <translation>重命名分组失败！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="262"/>
        <source>The contact was saved, but not put in its group!</source>
        <translation>联系人已保存，但未能加入其分组！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="365"/>
        <source>Some contacts could not be deleted from the device!</source>
        <translation>部分联系人无法从设备中删除！</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="443"/>
        <source>Add Contact</source>
        <translation>添加联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="444"/>
        <source>Delete this Contact</source>
        <translation>删除此联系人</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QContactsView.cpp" line="445"/>
        <source>To Computer</source>
        <translation>导出到电脑</translation>
    </message>
</context>
<context>
    <name>QGroupNameDlg</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="97"/>
        <source>New Group</source>
        <translation>新建分组</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="99"/>
        <source>Group name:</source>
        <translation>分组名称：</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="100"/>
        <source>yes</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="101"/>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/QGroupNameDlg.cpp" line="102"/>
        <source>Close</source>
        <translation>关闭</translation>
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
    <name>QOperatePanel</name>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="57"/>
        <source>QOperatePanel::InitControls can&apos;t find btn image, please reinstall software</source>
        <translation>QOperatePanel::InitControls 找不到按钮图片，请重新安装软件</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/QOperatePanel.cpp" line="111"/>
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
    <name>QSearchWidget</name>
    <message>
        <location filename="../../src/VexaDetails/QSearchWidget.cpp" line="40"/>
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
    <name>QiBookView</name>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="10"/>
        <source>iBooks</source>
        <translation>iBooks</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Author</source>
        <translation>作者</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/iBooks/QiBookView.cpp" line="14"/>
        <source>Size</source>
        <translation>大小</translation>
    </message>
</context>
<context>
    <name>contactsWay</name>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>home</source>
        <translation>住宅</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>mobile</source>
        <translation>手机</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>work</source>
        <translation>工作</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="75"/>
        <source>work fax</source>
        <translation>工作传真</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>home fax</source>
        <translation>住宅传真</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>other fax</source>
        <translation>其他传真</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>page</source>
        <translation>寻呼机</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="76"/>
        <source>other</source>
        <translation>其他</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="79"/>
        <source>phone number</source>
        <translation>电话号码</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="79"/>
        <source>email number</source>
        <translation>电子邮件地址</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="80"/>
        <source>Add a field</source>
        <translation>添加字段</translation>
    </message>
    <message>
        <location filename="../../src/VexaDetails/Contacts/contactsWay.cpp" line="81"/>
        <source>Remove this field</source>
        <translation>删除此字段</translation>
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
    <name>CSnapshotPage</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Backups of this device are not encrypted, and a phone gives its call history only to an encrypted backup. To see calls here, turn on encryption of its backups (for example with "idevicebackup2 encryption on"), then refresh.</source>
        <translation>此设备的备份未加密，而手机只会把通话记录交给加密的备份。要在此查看通话，请为其备份开启加密（例如使用“idevicebackup2 encryption on”），然后刷新。</translation>
    </message>
    <message>
        <source>Reading contacts from the device… %1 %</source>
        <translation>正在从设备读取联系人… %1 %</translation>
    </message>
    <message>
        <source>Reading the call history from the device… %1 %</source>
        <translation>正在从设备读取通话记录… %1 %</translation>
    </message>
    <message>
        <source>Reading messages from the device… %1 %</source>
        <translation>正在从设备读取信息… %1 %</translation>
    </message>
    <message>
        <source>This device encrypts its backups: its data is shown once the backup password is given. Refresh asks for it again.</source>
        <translation>此设备会加密其备份：输入备份密码后才会显示其数据。刷新时会再次询问密码。</translation>
    </message>
    <message>
        <source>Reading from the device was cancelled. Refresh reads it again.</source>
        <translation>已取消从设备读取。刷新可重新读取。</translation>
    </message>
    <message>
        <source>Nothing was read from the device yet.</source>
        <translation>尚未从设备读取任何内容。</translation>
    </message>
    <message>
        <source>The new snapshot was cancelled; shown is the one taken on %1.</source>
        <translation>新的快照已取消；显示的是 %1 生成的快照。</translation>
    </message>
    <message>
        <source>No new snapshot could be taken; shown is the one taken on %1.</source>
        <translation>无法生成新的快照；显示的是 %1 生成的快照。</translation>
    </message>
    <message>
        <source>Read from a snapshot of the device taken on %1. Refresh takes a new one.</source>
        <translation>读取自 %1 生成的设备快照。刷新会生成新的快照。</translation>
    </message>
</context>
</TS>
