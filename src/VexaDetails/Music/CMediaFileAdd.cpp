#include "CMediaFileAdd.h"

#include <vector>

#include <vexa/COwnManager.h>

int CMediaFileAdd::Add(int deviceHandle, const QStringList& files, int playlist, int* progress) {
    const COwnManager manager = OwnManagerFor(deviceHandle);
    IMediaLibrary* library = manager ? manager->GetMediaLibrary() : nullptr;
    if (!library)
        return VEXA_E_UNPLUGGED;
    // The library takes Windows separators; it turns them back on this side.
    std::vector<std::u16string> paths;
    std::vector<const char16_t*> pointers;
    paths.reserve(size_t(files.size()));
    for (const QString& file : files) {
        const QString native = QString(file).replace(QLatin1Char('/'), QLatin1Char('\\'));
        paths.emplace_back(reinterpret_cast<const char16_t*>(native.utf16()), size_t(native.size()));
    }
    for (const std::u16string& path : paths)
        pointers.push_back(path.c_str());
    return library->AddMediaFileData(pointers.data(), int(pointers.size()), progress, playlist);
}

QString CMediaFileAdd::FailureMessage(int code) {
    if (code == VEXA_MEDIA_DB_MISSING)
        return tr("CDB file is not find! please open the iTunes to repair!");
    if (code == VEXA_MEDIA_DB_DAMAGED)
        return tr("CDB file was damaged, please open the iTunes to repair!");
    return tr("Add musci fialed!");
}

QStringList CMediaFileAdd::AudioSuffixes() {
    return {QStringLiteral("mp3"), QStringLiteral("m4a")};
}
