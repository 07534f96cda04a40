#pragma once

class CiBookChunk;

// How the device library hands the books loader a book it found on its own.
class IiBookCallback {
public:
    // `book` stays the caller's; the loader keeps a copy.
    virtual void OnAddiBook(const CiBookChunk& book) = 0;

protected:
    ~IiBookCallback() = default;
};
