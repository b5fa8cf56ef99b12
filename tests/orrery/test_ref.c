/*
 * A renderer plug-in for the tests. It exports GetRefAPI like the game's
 * renderer libraries, reports every call it receives through the host's
 * Con_Printf as one line of text, and calls back into the import table the way
 * a renderer does: console variables in Init, files through FS_LoadFile during
 * registration, the window through the platform table.
 *
 * Compile definition TEST_REF_API_VERSION: the version slot it answers with.
 */
#include "orrery/platform_table.h"
#include "orrery/ref_types.h"

#include <stdio.h>
#include <string.h>

#ifndef TEST_REF_API_VERSION
#define TEST_REF_API_VERSION REF_API_VERSION
#endif

static refimport_t ri;
static const orrery_platform_t* platform;
static void* window;
static int width, height;
/* Handles handed out for registered models and skins: one byte per slot. */
static char handles[64];
static int handleCount;

/* Loads name through the host; writes its length and first bytes into text. */
static void* LoadHandle(const char* what, const char* name) {
    void* buffer = NULL;
    const int length = ri.FS_LoadFile(name, &buffer);
    if (length < 0) {
        ri.Con_Printf(PRINT_ALL, "%s %s missing", what, name);
        return NULL;
    }
    ri.Con_Printf(PRINT_ALL, "%s %s %d %.*s", what, name, length, length, (const char*)buffer);
    ri.FS_FreeFile(buffer);
    if (handleCount == (int)sizeof handles)
        return NULL;
    return &handles[handleCount++];
}

static int TestInit(void* hinstance, void* wndproc) {
    cvar_t* gamma;
    cvar_t* extra;
    platform = (const orrery_platform_t*)hinstance;
    ri.Con_Printf(PRINT_ALL, "Init argc=%d argv0=%s gamedir=%s wndproc=%s", ri.Cmd_Argc(),
                  ri.Cmd_Argv(0), ri.FS_Gamedir(), wndproc ? "set" : "null");
    gamma = ri.Cvar_Get("VID_GAMMA", "1.0", CVAR_ARCHIVE);
    extra = ri.Cvar_Get("r_test_detail", "7", CVAR_ARCHIVE);
    ri.Con_Printf(PRINT_DEVELOPER, "cvars vid_gamma=%s r_test_detail=%g", gamma->string,
                  extra->value);
    if (!ri.Vid_GetModeInfo(&width, &height, 3))
        return 0;
    if (!platform || platform->version != ORRERY_PLATFORM_VERSION ||
        platform->size < (int)sizeof(orrery_platform_t))
        return 0;
    window = platform->OpenWindow(platform->context, "test renderer", width, height);
    ri.Vid_NewWindow(width, height);
    return window != NULL;
}

static void TestShutdown(void) {
    ri.Con_Printf(PRINT_ALL, "Shutdown");
    if (platform && window)
        platform->CloseWindow(platform->context, window);
    window = NULL;
    platform = NULL;
    handleCount = 0;
}

static void TestBeginRegistration(const char* map) {
    char path[64];
    void* buffer = NULL;
    int length;
    snprintf(path, sizeof path, "maps/%s.bsp", map);
    length = ri.FS_LoadFile(path, &buffer);
    if (length < 0) {
        ri.Sys_Error(ERR_DROP, "BeginRegistration: %s not found", path);
        return;
    }
    ri.Con_Printf(PRINT_ALL, "BeginRegistration %s %d", path, length);
    ri.FS_FreeFile(buffer);
}

static struct model_s* TestRegisterModel(const char* name) {
    return (struct model_s*)LoadHandle("RegisterModel", name);
}

static struct image_s* TestRegisterSkin(const char* name) {
    return (struct image_s*)LoadHandle("RegisterSkin", name);
}

static void TestSetSky(const char* name, float rotate, float axis[3]) {
    ri.Con_Printf(PRINT_ALL, "SetSky %s %g %g %g %g", name, rotate, axis[0], axis[1], axis[2]);
}

static void TestEndRegistration(void) {
    ri.Con_Printf(PRINT_ALL, "EndRegistration");
}

static void TestRenderFrame(refdef_t* fd) {
    ri.Con_Printf(PRINT_ALL,
                  "RenderFrame %dx%d fov %g %.4f style %g %g %g %g areabits %s "
                  "entities %d time %g",
                  fd->width, fd->height, fd->fov_x, fd->fov_y, fd->lightstyles[255].rgb[0],
                  fd->lightstyles[255].rgb[1], fd->lightstyles[255].rgb[2],
                  fd->lightstyles[255].white, fd->areabits ? "set" : "null", fd->num_entities,
                  fd->time);
}

static void TestDrawChar(int x, int y, int c) {
    ri.Con_Printf(PRINT_ALL, "DrawChar %d %d %d", x, y, c);
}

static void TestBeginFrame(float separation) {
    ri.Con_Printf(PRINT_ALL, "BeginFrame %g", separation);
}

static void TestEndFrame(void) {
    /* Present a frame of one colour through the platform table. */
    static unsigned int pixels[4 * 2];
    int w = 0, h = 0, i;
    for (i = 0; i < 4 * 2; ++i)
        pixels[i] = 0xff336699u;
    if (platform && window && platform->GetWindowSize(platform->context, window, &w, &h))
        platform->PresentFrame(platform->context, window, pixels, 4, 2, 4 * 4,
                               ORRERY_PIXELS_XRGB32);
    ri.Con_Printf(PRINT_ALL, "EndFrame window %dx%d", w, h);
}

__attribute__((visibility("default"))) refexport_t GetRefAPI(refimport_t imports) {
    refexport_t re;
    memset(&re, 0, sizeof re);
    ri = imports;
    ri.Con_Printf(PRINT_ALL, "GetRefAPI");
    re.api_version = TEST_REF_API_VERSION;
    re.Init = TestInit;
    re.Shutdown = TestShutdown;
    re.BeginRegistration = TestBeginRegistration;
    re.RegisterModel = TestRegisterModel;
    re.RegisterSkin = TestRegisterSkin;
    re.SetSky = TestSetSky;
    re.EndRegistration = TestEndRegistration;
    re.RenderFrame = TestRenderFrame;
    re.DrawChar = TestDrawChar;
    re.BeginFrame = TestBeginFrame;
    re.EndFrame = TestEndFrame;
    return re;
}
