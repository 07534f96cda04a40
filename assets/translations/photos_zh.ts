<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
  <context>
    <name>DateItemWidget</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/DateItemWidget.cpp" line="23" />
      <source>Total:</source>
      <translation>总计：</translation>
    </message>
  </context>
  <context>
    <name>NewAlbumWidget</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="77" />
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="78" />
      <source>New Album</source>
      <translation>新建相册</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="79" />
      <source>Album name:</source>
      <translation>相册名称：</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="80" />
      <source>Ok</source>
      <translation>确定</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="81" />
      <source>Cancle</source>
      <translation>取消</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/NewAlbumWidget.cpp" line="82" />
      <source>Close</source>
      <translation>关闭</translation>
    </message>
  </context>
  <context>
    <name>PhotoImageShow</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoImageShow.cpp" line="19" />
      <source>Photo</source>
      <translation>照片</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoImageShow.cpp" line="22" />
      <source>Close</source>
      <translation>关闭</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoImageShow.cpp" line="77" />
      <source>Please wait....</source>
      <translation>请稍候....</translation>
    </message>
  </context>
  <context>
    <name>PhotoExportDialog</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Save File</source>
      <translation>保存文件</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Export photos</source>
      <translation>导出照片</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Browse...</source>
      <translation>浏览...</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Convert HEIC to JPEG</source>
      <translation>将 HEIC 转换为 JPEG</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Pictures in the HEIC format are saved as JPEG files that any program opens. Other files are copied as they are.</source>
      <translation>HEIC 格式的图片将保存为任何程序都能打开的 JPEG 文件。其他文件按原样复制。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Export</source>
      <translation>导出</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PhotoExportDialog.cpp" line="1" />
      <source>Cancel</source>
      <translation>取消</translation>
    </message>
  </context>
  <context>
    <name>PicItemTotal</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/PicItemTotal.cpp" line="56" />
      <source>PhotoStream</source>
      <translation>照片流</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/PicItemTotal.cpp" line="64" />
      <source>No cover</source>
      <translation>无封面</translation>
    </message>
  </context>
  <context>
    <name>QPhotoMonthPage</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoMonthPage.cpp" line="101" />
      <source>Month:</source>
      <translation>月份：</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoMonthPage.cpp" line="102" />
      <source>No photos found</source>
      <translation>未找到照片</translation>
    </message>
  </context>
  <context>
    <name>QPhotoView</name>
    <message numerus="yes">
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="1" />
      <source>%n photo(s) could not be read from the device.</source>
      <translation>
        <numerusform>%n 张照片无法从设备读取。</numerusform>
      </translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="160" />
      <source>Albums</source>
      <translation>相册</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="161" />
      <source>New album</source>
      <translation>新建相册</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="162" />
      <source>Import</source>
      <translation>导入</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="163" />
      <source>Export</source>
      <translation>导出</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="164" />
      <source>Delete</source>
      <translation>删除</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="165" />
      <source>Refresh</source>
      <translation>刷新</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="166" />
      <source>CheckAll</source>
      <translation>全选</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="167" />
      <source>UncheckAll</source>
      <translation>取消全选</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="366" />
      <source>Import File</source>
      <translation>导入文件</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="367" />
      <source>Images (*.bmp *.jpg *.gif *.png *jpeg)</source>
      <translation>图片 (*.bmp *.jpg *.gif *.png *jpeg)</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="395" />
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="443" />
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="461" />
      <source>Please choose one or more items first!</source>
      <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/QPhotoView.cpp" line="1" />
      <source>The photos could not be read from the device.</source>
      <translation>无法从设备读取照片。</translation>
    </message>
    <message>
      <source>Remove the selected photos from this album? They stay in the Photo Library.</source>
      <translation>要从此相册中移除所选照片吗？它们仍保留在照片图库中。</translation>
    </message>
  </context>
  <context>
    <name>UserPicItemShow</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicItemShow.cpp" line="94" />
      <source>The photos could not be taken out of the album.</source>
      <translation>无法将照片从相册中移除。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicItemShow.cpp" line="138" />
      <source>Return</source>
      <translation>返回</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicItemShow.cpp" line="1" />
      <source>The photos of this album could not be read from the device.</source>
      <translation>无法从设备读取此相册的照片。</translation>
    </message>
  </context>
  <context>
    <name>UserPicWidget</name>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="25" />
      <source>The following albums cannot be deleted: 

1.Camera Roll 
2.Photo Library 
3.Albums that comes with the device 
4.Albums created on the device
</source>
      <translation>以下相册不能删除：

1.相机胶卷 
2.照片图库 
3.设备自带的相册 
4.在设备上创建的相册
</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="31" />
      <source>The folowing albums cannot be renamed: 

1.Camera Roll 
2.Photo Library 
3.Albums that comes with the device 
4.Albums created on the device
</source>
      <translation>以下相册不能重命名：

1.相机胶卷 
2.照片图库 
3.设备自带的相册 
4.在设备上创建的相册
</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="97" />
      <source>Please enter a name for the album.</source>
      <translation>请输入相册名称。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="101" />
      <source>An album name can't contain any of the following characters:
\ / : * ? " &lt; &gt; |</source>
      <translation>相册名称不能包含以下字符：
\ / : * ? " &lt; &gt; |</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="105" />
      <source>The album name is too long.</source>
      <translation>相册名称太长。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="188" />
      <source>Please choose one or more items first!</source>
      <translation>请先选择一个或多个项目！</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="249" />
      <source>The album %1 could not be created.</source>
      <translation>无法创建相册 %1。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="257" />
      <source>The album %1 no longer exists on the device.</source>
      <translation>设备上已不存在相册 %1。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="266" />
      <source>The album could not be renamed to %1.</source>
      <translation>无法将相册重命名为 %1。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="278" />
      <source>An album could not be deleted.</source>
      <translation>无法删除相册。</translation>
    </message>
    <message>
      <location filename="../../src/VexaDetails/Photos/UserPicWidget.cpp" line="1" />
      <source>The albums could not be read from the device.</source>
      <translation>无法从设备读取相册。</translation>
    </message>
  </context>
</TS>