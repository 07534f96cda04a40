#pragma once

#include <list>
#include <string>

class IBaseChunk;
struct PlaylistRecord;

// One playlist of the device as the last load found it. The entry owns its song chunks.
class PlaylistEntry {
public:
    // Songs are the tracks of media kind 1; each remembers its index among all the record's tracks.
    PlaylistEntry(const PlaylistRecord& record, int position, const std::string& image);
    ~PlaylistEntry();

    PlaylistEntry(const PlaylistEntry&) = delete;
    PlaylistEntry& operator=(const PlaylistEntry&) = delete;

    const std::string& Name() const { return m_name; }
    int Position() const { return m_position; }
    int SongCount() const { return m_songCount; }
    std::list<IBaseChunk*>* Songs() { return &m_songs; }

private:
    std::string m_name;
    int m_position;
    int m_songCount = 0;
    std::list<IBaseChunk*> m_songs;
};
