#include "deleteitemDlg.h"

#include <QDebug>
#include <QLabel>

#include <vexa/COwnManager.h>
#include <vexa/vexa.h>

#include "IMediaChunk.h"
#include "QImageProgressBar.h"
#include "QMessageDlg.h"
#include "QProUtil.h"

namespace {
constexpr int kTickMs = 500;
}

deleteitemDlg::deleteitemDlg(QWidget* parent)
    : QWorkProgressDlg(kTickMs, parent) {
    setObjectName(QStringLiteral("deleteitemDlg"));
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &deleteitemDlg::OnLanguageChanged);
    OnLanguageChanged();
}

void deleteitemDlg::SetRecords(const std::list<IBaseChunk*>& records) {
    m_names.clear();
    m_positions.clear();
    for (IBaseChunk* record : records) {
        const auto* media = dynamic_cast<const IMediaChunk*>(record);
        if (!media)
            continue;
        m_names << QString::fromStdString(media->GetName());
        m_positions.push_back({media->GetPlaylistPosition(), media->GetItemPosition()});
    }
}

void deleteitemDlg::Work() {
    const COwnManager manager = OwnManagerFor(m_deviceHandle);
    IMediaLibrary* library = manager ? manager->GetMediaLibrary() : nullptr;
    m_result =
        library ? library->DelMediaFileData(m_positions.data(), int(m_positions.size())) : VEXA_E_UNPLUGGED;
    if (m_result != VEXA_OK)
        qDebug() << "DelMediaFileData faild!" << m_result;
    m_done = true;
}

void deleteitemDlg::OnLaunchTimer() {
    const int count = int(m_names.size());
    if (count == 0)
        return;
    // One call deletes them all: the names pass by one a tick, and the last stays once it has returned.
    if (m_done)
        m_position = count - 1;
    Label()->setText(QStringLiteral("%1(%2/%3):%4")
                         .arg(tr("Deleting"))
                         .arg(m_position + 1)
                         .arg(count)
                         .arg(m_names.at(m_position)));
    ProgressBar()->SetRange(0, count);
    ProgressBar()->SetValue(m_position + 1);
    if (m_position < count - 1)
        ++m_position;
}

void deleteitemDlg::OnLanguageChanged() {
    setWindowTitle(tr("Deleting"));
    TitleLabel()->setText(tr("Deleting"));
}

int deleteitemDlg::DeleteChecked(const std::list<IBaseChunk*>& list, int deviceHandle, int mode) {
    std::list<IBaseChunk*> checked;
    for (IBaseChunk* record : list)
        if (record->IsChecked())
            checked.push_back(record);
    if (checked.empty()) {
        ShowMessage(tr("Please choose any of items to delete!"));
        return -1;
    }
    if (ShowMessage(tr("Are you sure to delete the selected item(s)?"), QString(), MSG_WARNING | MSG_YESNO) !=
        MSG_RESULT_YES)
        return -1;
    deleteitemDlg dialog;
    dialog.SetDevice(deviceHandle);
    dialog.SetMode(mode);
    dialog.SetRecords(checked);
    dialog.exec();
    const int code = dialog.Result();
    if (code != VEXA_OK)
        ShowMessage(tr("The selected item(s) could not be deleted from the device!"));
    return code;
}
