// Read-only access to one archive in the game's PACK format.
#pragma once

#include "orrery/orrery_export.h"

#include <memory>

// One directory entry of a PACK archive, 64 bytes, in the game's layout.
struct dpackfile_t {
    char name[56]; // path inside the archive, NUL-terminated, forward slashes
    int filepos;   // absolute offset of the stored file's data
    int filelen;   // length of the stored file's data
};
static_assert(sizeof(dpackfile_t) == 64, "dpackfile_t is 64 bytes");

// An archive is opened once: Open reads the 12-byte header and the directory
// into memory and closes the file again. Every LoadFile reopens the archive by
// its stored path, so no file stays open between calls.
//
// Bad input is refused rather than read: Open fails on a path longer than
// 260 characters, a header or directory that is cut short or lies beyond the
// end of the file, 4096 or more entries, or a name that is not NUL-terminated
// within its 56 bytes; LoadFile returns -1 for a stored file that lies beyond
// the end of the archive or cannot be read whole.
class ORRERY_API CQPakFile {
  public:
    // Longest archive path accepted, without the terminator.
    static constexpr int kMaxPath = 260;
    // Archives with this many entries or more are refused.
    static constexpr int kMaxEntries = 4096;

    CQPakFile();
    // Opens the archive at path; the result is dropped, callers test IsOpen.
    explicit CQPakFile(const char* path);
    virtual ~CQPakFile();

    CQPakFile(const CQPakFile&) = delete;
    CQPakFile& operator=(const CQPakFile&) = delete;

    // Reads the header and the directory. 1 on success, 0 on failure. An object
    // that is already open refuses (0) and keeps its archive; Close first to
    // reuse it. A failed Open leaves the object closed, holding nothing.
    int Open(const char* path);
    // Releases the directory and the path; harmless when closed.
    void Close();
    int IsOpen() const { return m_pFiles ? 1 : 0; }
    // Number of directory entries; 0 when closed.
    int GetFileCount() const { return m_nFileCount; }
    // Entry by position (0-based), or null outside 0..GetFileCount()-1.
    const dpackfile_t* GetFileAt(int index) const;
    // The path the archive was opened with, or null when closed.
    const char* GetPath() const { return m_pPath.get(); }

    // The first entry whose name equals name ignoring ASCII letter case (whole
    // names, no slash conversion), or null. Valid until Close.
    const dpackfile_t* GetFile(const char* name) const;

    // Loads the stored file whole into a new buffer, stores its address in
    // *buffer and returns its length (a length of 0 still gives a valid
    // buffer). The buffer carries one extra NUL byte after the data so text
    // files can be parsed safely. A null buffer only returns the length. On -1
    // (no such entry, archive unreadable, entry beyond the end of the archive,
    // short read, no memory) *buffer is left as it was.
    int LoadFile(const char* name, void** buffer) const;
    // Releases a buffer from LoadFile; null is ignored.
    static void FreeFile(void* buffer);

  private:
    std::unique_ptr<char[]> m_pPath; // kMaxPath + 1 bytes while open
    int m_nFileCount = 0;
    std::unique_ptr<dpackfile_t[]> m_pFiles; // present exactly while open
};
