#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <vexa/VexaRecords.h>

#include "TextArena.h"

struct sqlite3;

namespace vexa::sim {

struct AlbumRow {
    int64_t rowId = 0;
    std::string uuid;
    std::string name;
    int type = 0;
    bool builtin = false;
    int photoCount = 0;
    std::string coverPath; // device path of the first photo; empty for an empty album
};

// Photo albums in the device database. Camera Roll and the Photo Library are built in and made up from
// the photos' kinds; every other album keeps its own ordered list. The caller holds the database lock.
class AlbumStore {
public:
    explicit AlbumStore(sqlite3* db);

    // Published albums, the built-in ones first.
    int List(std::vector<AlbumRow>& out);
    int Find(const std::string& uuid, AlbumRow& out);
    // An album that exists only for its creator until Publish.
    int Reserve(const std::string& name, AlbumRow& out);
    int Publish(const std::string& uuid, const std::string& name, int type);
    // Drops the reservation when the album was never published.
    int Release(const std::string& uuid);
    int Rename(const std::string& uuid, const std::string& newName);
    int Delete(const std::string& uuid);
    int AddPhoto(int64_t albumRowId, int64_t photoRowId);
    int RemovePhotos(const std::string& uuid, const std::vector<std::string>& photoUuids);
    int Create(const std::string& name, int type, const std::string& uuid, int64_t* rowId);

private:
    int FindEditable(const std::string& uuid, AlbumRow& out);

    sqlite3* m_db;
};

} // namespace vexa::sim
