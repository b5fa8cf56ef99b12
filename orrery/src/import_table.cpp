// The static import table handed to the renderer library and its entries.
//
// Each entry is a plain function that forwards to the same-named virtual
// operation of the current host, or returns a neutral value while no host is
// current. The table is filled at compile time, so a renderer bound before any
// host was made current still finds callable entries.

#include "import_table.h"

#include "orrery/cqrefapiimport.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Size of the buffer that formatted error and console texts are written into;
// longer texts are cut.
constexpr int kFormatBufferSize = 264;

CQRefApiImport* s_pCurrentHost = nullptr;

// Formats a printf-style text into a bounded buffer; longer texts are cut.
void FormatInto(char (&text)[kFormatBufferSize], const char* format, va_list args) {
    if (format) {
        std::vsnprintf(text, sizeof text, format, args);
    }
}

__attribute__((format(printf, 2, 3))) void ImpSysError(int level, const char* format, ...) {
    if (!s_pCurrentHost)
        return;
    char text[kFormatBufferSize] = {};
    va_list args;
    va_start(args, format);
    FormatInto(text, format, args);
    va_end(args);
    s_pCurrentHost->Sys_Error(level, text);
}

__attribute__((format(printf, 2, 3))) void ImpConPrintf(int level, const char* format, ...) {
    if (!s_pCurrentHost)
        return;
    char text[kFormatBufferSize] = {};
    va_list args;
    va_start(args, format);
    FormatInto(text, format, args);
    va_end(args);
    s_pCurrentHost->Con_Printf(level, text);
}

void ImpCmdAddCommand(const char* name, void (*command)(void)) {
    if (s_pCurrentHost)
        s_pCurrentHost->Cmd_AddCommand(name, command);
}

void ImpCmdRemoveCommand(const char* name) {
    if (s_pCurrentHost)
        s_pCurrentHost->Cmd_RemoveCommand(name);
}

int ImpCmdArgc() {
    return s_pCurrentHost ? s_pCurrentHost->Cmd_Argc() : -1;
}

const char* ImpCmdArgv(int index) {
    return s_pCurrentHost ? s_pCurrentHost->Cmd_Argv(index) : nullptr;
}

void ImpCmdExecuteText(int when, const char* text) {
    if (s_pCurrentHost)
        s_pCurrentHost->Cmd_ExecuteText(when, text);
}

int ImpFsLoadFile(const char* name, void** buffer) {
    if (s_pCurrentHost)
        return s_pCurrentHost->FS_LoadFile(name, buffer);
    if (buffer)
        *buffer = nullptr;
    return -1;
}

void ImpFsFreeFile(void* buffer) {
    if (s_pCurrentHost)
        s_pCurrentHost->FS_FreeFile(buffer);
}

const char* ImpFsGamedir() {
    return s_pCurrentHost ? s_pCurrentHost->FS_Gamedir() : nullptr;
}

cvar_t* ImpCvarGet(const char* name, const char* value, int flags) {
    return s_pCurrentHost ? s_pCurrentHost->CVar_Get(name, value, flags) : nullptr;
}

cvar_t* ImpCvarSet(const char* name, const char* value) {
    return s_pCurrentHost ? s_pCurrentHost->CVar_Set(name, value) : nullptr;
}

void ImpCvarSetValue(const char* name, float value) {
    if (s_pCurrentHost)
        s_pCurrentHost->CVar_Set(name, value);
}

int ImpVidGetModeInfo(int* width, int* height, int mode) {
    return s_pCurrentHost ? s_pCurrentHost->Vid_GetModeInfo(width, height, mode) : 0;
}

void ImpVidMenuInit() {
    if (s_pCurrentHost)
        s_pCurrentHost->Vid_MenuInit();
}

void ImpVidNewWindow(int width, int height) {
    if (s_pCurrentHost)
        s_pCurrentHost->Vid_NewWindow(width, height);
}

constexpr refimport_t MakeImportTable() {
    return refimport_t{
        ImpSysError,     ImpCmdAddCommand,  ImpCmdRemoveCommand, ImpCmdArgc,
        ImpCmdArgv,      ImpCmdExecuteText, ImpConPrintf,        ImpFsLoadFile,
        ImpFsFreeFile,   ImpFsGamedir,      ImpCvarGet,          ImpCvarSet,
        ImpCvarSetValue, ImpVidGetModeInfo, ImpVidMenuInit,      ImpVidNewWindow,
    };
}

refimport_t s_import = MakeImportTable();

} // namespace

namespace orrery {

CQRefApiImport* CurrentHost() {
    return s_pCurrentHost;
}

void ReleaseHost(const CQRefApiImport* host) {
    if (s_pCurrentHost == host)
        s_pCurrentHost = nullptr;
}

} // namespace orrery

const refimport_s* CQRefApiImport::GetImport() {
    return &s_import;
}

void InitializeImports(CQRefApiImport* host) {
    // The entries never change; filling them again keeps the table's promise
    // that it is complete once a host was made current.
    s_import = MakeImportTable();
    s_pCurrentHost = host;
}

void UninitalizeImports() {
    // The current host stays recorded until another host is made current or it
    // is destroyed, so a renderer that is still bound keeps its services.
}
