// The renderer host: plays the engine's part for a hosted renderer library.
#pragma once

#include "orrery/orrery_export.h"
#include "orrery/ref_types.h"

#include <string>
#include <vector>

class CQPakFile;

// Serves the renderer's requests for console variables, files, commands,
// console output and video mode. The renderer reaches the current host through
// the process-wide import table (GetImport); each entry of that table forwards
// to the same-named virtual operation below.
//
// Each document owns one host. The list of pak archives in which files are
// looked up is static: one per process, shared by every host, and emptied when
// the last host is destroyed.
//
// Everything runs on the user-interface thread; nothing here is locked.
class ORRERY_API CQRefApiImport {
  public:
    // Width 320, height 240, empty base directory, the default console
    // variables (InitVars).
    CQRefApiImport();
    // Frees every console variable. A host that is current stops being current,
    // so the import table answers with neutral values instead of reaching a
    // destroyed host. The last host to go empties the pak map.
    virtual ~CQRefApiImport();

    // Console variable records are held by the renderer by address and belong
    // to exactly one host, so a host is never copied.
    CQRefApiImport(const CQRefApiImport&) = delete;
    CQRefApiImport& operator=(const CQRefApiImport&) = delete;

    // --- the import table's services, in table order ---

    // Writes the text to standard error (the debugger output); stops nothing.
    virtual void Sys_Error(int errLevel, const char* text);
    // Commands are not supported: these do nothing.
    virtual void Cmd_AddCommand(const char* name, void (*command)());
    virtual void Cmd_RemoveCommand(const char* name);
    // Always 1: the command line holds only the program name.
    virtual int Cmd_Argc();
    // The same fixed program name for every index.
    virtual const char* Cmd_Argv(int index);
    virtual void Cmd_ExecuteText(int when, const char* text);
    // Writes the text to standard error.
    virtual void Con_Printf(int printLevel, const char* text);
    // Loads a file whole: from the first pak archive, in ascending byte order of
    // the archive paths, that has it; otherwise from the base directory text
    // immediately followed by name. Returns the length and stores a new buffer
    // in *buffer (release with FS_FreeFile); -1 with *buffer set to null when no
    // one has the file. A null buffer only returns the length. A name that starts with a
    // slash or has a ".." step is refused (-1): it would reach outside the game's folders.
    virtual int FS_LoadFile(const char* name, void** buffer);
    // Releases a buffer from FS_LoadFile; null is ignored.
    virtual void FS_FreeFile(void* buffer);
    // A fixed game directory text.
    virtual const char* FS_Gamedir();
    // The variable named name ignoring ASCII case, with flags added; created
    // with value (and flags) at the head of the list when missing. The given
    // value never replaces a stored one. Null for a null name.
    virtual cvar_s* CVar_Get(const char* name, const char* value, int flags);
    // Sets the variable's text to value formatted as "%f" (for example 0.8
    // gives "0.800000").
    virtual void CVar_Set(const char* name, float value);
    // Gets or creates the variable (through CVar_Get with flags 0) and replaces
    // its text and number; the modified flag is left alone. Null for a null name.
    virtual cvar_s* CVar_Set(const char* name, const char* value);
    // Writes the stored width and height whatever the mode; returns 1. Null
    // out-pointers are skipped.
    virtual int Vid_GetModeInfo(int* width, int* height, int mode);
    virtual void Vid_MenuInit();
    // Stores the renderer's new window size (as SetVideoInfo).
    virtual void Vid_NewWindow(int width, int height);

    // --- host settings ---

    void SetVideoInfo(int width, int height);
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetWidth(int width) { m_nWidth = width; }
    void SetHeight(int height) { m_nHeight = height; }
    // Text put in front of a file name that no pak archive holds; no separator
    // is added, so it normally ends with a slash.
    void SetBaseDirectory(const char* directory);
    const char* GetBaseDirectory() const { return m_strBaseDir.c_str(); }
    // First record of the console variable list (newest first).
    cvar_s* GetCVarList() const { return m_pCVars; }

    // The process-wide import table handed to GetRefAPI. Always filled: while
    // no host is current every entry returns its neutral value.
    static const refimport_s* GetImport();

    // --- the process-wide pak map, ordered by the archive path bytes ---

    // Opens the archive and adds it under path; a path already present is kept
    // as it is. An archive that fails to open is still listed (it never finds a
    // file). Returns 1.
    static int AddPakFile(const char* path);
    // RemovePakFiles, then AddPakFile for each path in list order. Returns 1.
    static int AddPakFiles(const std::vector<std::string>& paths);
    // Closes and removes the archive with exactly this path: 1 if it was there.
    static int RemovePakFile(const char* path);
    // Closes and removes every archive. Returns 1.
    static int RemovePakFiles();
    // Number of archives listed, and the archive listed under exactly path (null
    // if none). The pointer is valid until the archive is removed.
    static int GetPakFileCount();
    static const CQPakFile* FindPakFile(const char* path);

    // Number of live hosts.
    static int GetInstanceCount() { return m_nInstanceCount; }

  protected:
    // Creates the default console variables.
    void InitVars();
    // Frees record, its texts and every record after it in the list.
    static void DeleteCVar(cvar_s* record);

    static int m_nInstanceCount;

  private:
    std::string m_strBaseDir;
    cvar_s* m_pCVars = nullptr;
    int m_nWidth = 320;
    int m_nHeight = 240;
};

// Makes host the current host of the import table (null: none). The table
// forwards every renderer call to it until another host is made current or the
// host is destroyed.
ORRERY_API void InitializeImports(CQRefApiImport* host);
// Called when a document closes. Leaves the current host recorded: a host is
// released from the table by its destructor.
ORRERY_API void UninitalizeImports();
