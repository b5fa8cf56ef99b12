// Host construction, commands, console output and video mode.

#include "orrery/cqrefapiimport.h"

#include "import_table.h"
#include "pak_map.h"

#include <cstdio>
#include <cstring>

int CQRefApiImport::m_nInstanceCount = 0;

namespace {

// The command line the renderer sees: the program's name alone.
char s_szProgramPath[] = "tresk";
// The game directory the renderer sees (it only forms screenshot paths with it).
char s_szGameDir[] = "baseq2";

} // namespace

CQRefApiImport::CQRefApiImport() {
    orrery::KeepPakMapAlive();
    ++m_nInstanceCount;
    InitVars();
}

CQRefApiImport::~CQRefApiImport() {
    orrery::ReleaseHost(this);
    DeleteCVar(m_pCVars);
    m_pCVars = nullptr;
    if (--m_nInstanceCount == 0)
        RemovePakFiles();
}

void CQRefApiImport::Sys_Error(int /*errLevel*/, const char* text) {
    if (!text)
        return;
    std::fputs(text, stderr);
    const std::size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n')
        std::fputc('\n', stderr);
}

void CQRefApiImport::Cmd_AddCommand(const char* /*name*/, void (* /*command*/)()) {}

void CQRefApiImport::Cmd_RemoveCommand(const char* /*name*/) {}

int CQRefApiImport::Cmd_Argc() {
    return 1;
}

const char* CQRefApiImport::Cmd_Argv(int /*index*/) {
    return s_szProgramPath;
}

void CQRefApiImport::Cmd_ExecuteText(int /*when*/, const char* /*text*/) {}

void CQRefApiImport::Con_Printf(int /*printLevel*/, const char* text) {
    if (text)
        std::fputs(text, stderr);
}

const char* CQRefApiImport::FS_Gamedir() {
    return s_szGameDir;
}

int CQRefApiImport::Vid_GetModeInfo(int* width, int* height, int /*mode*/) {
    if (width)
        *width = m_nWidth;
    if (height)
        *height = m_nHeight;
    return 1;
}

void CQRefApiImport::Vid_MenuInit() {}

void CQRefApiImport::Vid_NewWindow(int width, int height) {
    SetVideoInfo(width, height);
}

void CQRefApiImport::SetVideoInfo(int width, int height) {
    m_nWidth = width;
    m_nHeight = height;
}

void CQRefApiImport::SetBaseDirectory(const char* directory) {
    m_strBaseDir = directory ? directory : "";
}
