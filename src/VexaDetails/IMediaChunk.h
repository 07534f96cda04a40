#pragma once

#include <string>

#include "IBaseChunk.h"

// A song or video of the device's media library. Besides the common fields it remembers where the
// library listed it (playlist position, item position within that playlist): a delete sends exactly
// these back to the device.
class IMediaChunk : public IBaseChunk {
public:
    std::string GetText() const { return m_text; }
    void SetText(const std::string& text) { m_text = text; }
    int GetPlaylistPosition() const { return m_playlistPosition; }
    void SetPlaylistPosition(int position) { m_playlistPosition = position; }
    int GetItemPosition() const { return m_itemPosition; }
    void SetItemPosition(int position) { m_itemPosition = position; }

private:
    std::string m_text;
    int m_playlistPosition = -1;
    int m_itemPosition = -1;
};
