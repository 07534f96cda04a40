#pragma once

class IBaseChunk;

// The record list a view shows. The view holds pointers only: removing or clearing never deletes a
// chunk, and out-of-range indexes answer false or null.
class IBaseDetails {
public:
    virtual void AddChunk(IBaseChunk* chunk) = 0;
    // Inserts before `index`; false (nothing inserted) unless 0 <= index < size.
    virtual bool InsertChunk(IBaseChunk* chunk, int index) = 0;
    virtual int GetChunkCount() const = 0;
    virtual IBaseChunk* GetChunk(int index) const = 0;
    virtual bool RemoveChunk(int index) = 0;
    virtual void ClearChunks() = 0;

protected:
    ~IBaseDetails() = default;
};
