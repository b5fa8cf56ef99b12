/*
 * Records shared with the game's renderer library, in the game's own layouts.
 *
 * A renderer plug-in is bound through its single export GetRefAPI: it receives the
 * engine's services (refimport_t) and answers with its own entry points
 * (refexport_t). Both tables, the console variable record, the frame description
 * and the render entity are read and written in place on both sides of that
 * boundary, so their layouts are a contract: field order and types follow the
 * game's renderer interface version 3 and must not change. The static assertions
 * at the end pin the layouts for 32-bit and 64-bit builds.
 *
 * Plain C, so that a renderer plug-in written in C can include it.
 */
#ifndef ORRERY_REF_TYPES_H
#define ORRERY_REF_TYPES_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The renderer interface version the host speaks; slot 0 of refexport_t. */
#define REF_API_VERSION 3

/* Number of light styles the frame description points at. */
#define MAX_LIGHTSTYLES 256

/* Console variable flags (cvar_t.flags). */
#define CVAR_ARCHIVE 1
#define CVAR_USERINFO 2
#define CVAR_SERVERINFO 4
#define CVAR_NOSET 8
#define CVAR_LATCH 16

/* Levels passed to Con_Printf. */
#define PRINT_ALL 0
#define PRINT_DEVELOPER 1
#define PRINT_ALERT 2

/* Levels passed to Sys_Error. */
#define ERR_FATAL 0
#define ERR_DROP 1
#define ERR_DISCONNECT 2

/* Positions passed to Cmd_ExecuteText. */
#define EXEC_NOW 0
#define EXEC_INSERT 1
#define EXEC_APPEND 2

/* One console variable. The renderer keeps the pointer and reads the fields
 * directly, so a record is never moved or freed while its host lives. */
typedef struct cvar_s {
    char* name;
    char* string;         /* current value as text */
    char* latched_string; /* always null in this host */
    int flags;            /* CVAR_* bits */
    int modified;         /* set when created; the renderer clears it */
    float value;          /* string read as a number */
    struct cvar_s* next;
} cvar_t;

/* Opaque handles the renderer hands out for registered models and images. */
struct model_s;
struct image_s;

/* A light style: red, green, blue and overall brightness. */
typedef struct {
    float rgb[3];
    float white;
} lightstyle_t;

/* A dynamic light. */
typedef struct {
    float origin[3];
    float color[3];
    float intensity;
} dlight_t;

/* A particle. */
typedef struct {
    float origin[3];
    int color;
    float alpha;
} particle_t;

/* A render entity (18 words on a 32-bit build), read by the renderer in place. */
typedef struct entity_s {
    struct model_s* model;
    float angles[3];
    float origin[3];
    int frame;
    float oldorigin[3];
    int oldframe;
    float backlerp; /* 0.0 = current frame, 1.0 = old frame */
    int skinnum;
    int lightstyle;
    float alpha;
    struct image_s* skin; /* null: the model's own skin */
    int flags;
} entity_t;

/* The per-frame view description passed to RenderFrame. */
typedef struct {
    int x, y, width, height;
    float fov_x, fov_y;
    float vieworg[3];
    float viewangles[3];
    float blend[4]; /* red, green, blue, alpha: 0..1 full-screen blend */
    float time;     /* seconds, drives texture and sky animation */
    int rdflags;
    unsigned char* areabits; /* null: every area is drawn */
    lightstyle_t* lightstyles;
    int num_entities;
    entity_t* entities;
    int num_dlights;
    dlight_t* dlights;
    int num_particles;
    particle_t* particles;
} refdef_t;

/* The engine services a renderer calls back into: 16 entries in this order. */
typedef struct refimport_s {
    void (*Sys_Error)(int err_level, const char* fmt, ...);
    void (*Cmd_AddCommand)(const char* name, void (*cmd)(void));
    void (*Cmd_RemoveCommand)(const char* name);
    int (*Cmd_Argc)(void);
    const char* (*Cmd_Argv)(int i);
    void (*Cmd_ExecuteText)(int exec_when, const char* text);
    void (*Con_Printf)(int print_level, const char* fmt, ...);
    /* Loads a file whole; returns its length or -1. A null buf asks for the length only. */
    int (*FS_LoadFile)(const char* name, void** buf);
    void (*FS_FreeFile)(void* buf);
    const char* (*FS_Gamedir)(void);
    cvar_t* (*Cvar_Get)(const char* name, const char* value, int flags);
    cvar_t* (*Cvar_Set)(const char* name, const char* value);
    void (*Cvar_SetValue)(const char* name, float value);
    int (*Vid_GetModeInfo)(int* width, int* height, int mode);
    void (*Vid_MenuInit)(void);
    void (*Vid_NewWindow)(int width, int height);
} refimport_t;

/* The renderer's entry points: 22 slots in this order, slot 0 the interface version. */
typedef struct {
    int api_version;
    int (*Init)(void* hinstance, void* wndproc);
    void (*Shutdown)(void);
    void (*BeginRegistration)(const char* map);
    struct model_s* (*RegisterModel)(const char* name);
    struct image_s* (*RegisterSkin)(const char* name);
    struct image_s* (*RegisterPic)(const char* name);
    void (*SetSky)(const char* name, float rotate, float axis[3]);
    void (*EndRegistration)(void);
    void (*RenderFrame)(refdef_t* fd);
    void (*DrawGetPicSize)(int* w, int* h, const char* name);
    void (*DrawPic)(int x, int y, const char* name);
    void (*DrawStretchPic)(int x, int y, int w, int h, const char* name);
    void (*DrawChar)(int x, int y, int c);
    void (*DrawTileClear)(int x, int y, int w, int h, const char* name);
    void (*DrawFill)(int x, int y, int w, int h, int c);
    void (*DrawFadeScreen)(void);
    void (*DrawStretchRaw)(int x, int y, int w, int h, int cols, int rows, unsigned char* data);
    void (*CinematicSetPalette)(const unsigned char* palette);
    void (*BeginFrame)(float camera_separation);
    void (*EndFrame)(void);
    void (*AppActivate)(int activate);
} refexport_t;

/* The renderer library's single export. */
typedef refexport_t (*GetRefAPI_t)(refimport_t imports);

#ifdef __cplusplus
}
#define ORRERY_LAYOUT_ASSERT(cond, what) static_assert(cond, what)
#else
#define ORRERY_LAYOUT_ASSERT(cond, what) _Static_assert(cond, what)
#endif

/* Size of a word that holds a pointer on this build; ints and floats stay 4 bytes. */
#define ORRERY_PTR ((size_t)sizeof(void*))
#define ORRERY_PTR_ALIGN(n) (((n) + ORRERY_PTR - 1) / ORRERY_PTR * ORRERY_PTR)

ORRERY_LAYOUT_ASSERT(sizeof(int) == 4 && sizeof(float) == 4, "32-bit int and float");
ORRERY_LAYOUT_ASSERT(sizeof(refimport_t) == 16 * ORRERY_PTR, "refimport_t has 16 entries");
ORRERY_LAYOUT_ASSERT(offsetof(refimport_t, FS_LoadFile) == 7 * ORRERY_PTR, "refimport_t order");
ORRERY_LAYOUT_ASSERT(offsetof(refimport_t, Vid_NewWindow) == 15 * ORRERY_PTR, "refimport_t order");
ORRERY_LAYOUT_ASSERT(sizeof(refexport_t) == 22 * ORRERY_PTR, "refexport_t has 22 slots");
ORRERY_LAYOUT_ASSERT(offsetof(refexport_t, Init) == 1 * ORRERY_PTR, "refexport_t order");
ORRERY_LAYOUT_ASSERT(offsetof(refexport_t, RenderFrame) == 9 * ORRERY_PTR, "refexport_t order");
ORRERY_LAYOUT_ASSERT(offsetof(refexport_t, DrawChar) == 13 * ORRERY_PTR, "refexport_t order");
ORRERY_LAYOUT_ASSERT(offsetof(refexport_t, EndFrame) == 20 * ORRERY_PTR, "refexport_t order");
ORRERY_LAYOUT_ASSERT(offsetof(cvar_t, flags) == 3 * ORRERY_PTR, "cvar_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(cvar_t, value) == 3 * ORRERY_PTR + 8, "cvar_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(cvar_t, next) == ORRERY_PTR_ALIGN(3 * ORRERY_PTR + 12),
                     "cvar_t layout");
ORRERY_LAYOUT_ASSERT(sizeof(lightstyle_t) == 16, "lightstyle_t layout");
ORRERY_LAYOUT_ASSERT(sizeof(dlight_t) == 28, "dlight_t layout");
ORRERY_LAYOUT_ASSERT(sizeof(particle_t) == 20, "particle_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(entity_t, angles) == ORRERY_PTR, "entity_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(entity_t, alpha) == ORRERY_PTR + 56, "entity_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(entity_t, skin) == ORRERY_PTR_ALIGN(ORRERY_PTR + 60),
                     "entity_t layout");
ORRERY_LAYOUT_ASSERT(sizeof(void*) != 4 || sizeof(entity_t) == 18 * 4, "entity_t is 18 words");
ORRERY_LAYOUT_ASSERT(offsetof(refdef_t, rdflags) == 68, "refdef_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(refdef_t, areabits) == 72, "refdef_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(refdef_t, lightstyles) == 72 + ORRERY_PTR, "refdef_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(refdef_t, entities) == 72 + 3 * ORRERY_PTR, "refdef_t layout");
ORRERY_LAYOUT_ASSERT(offsetof(refdef_t, particles) == 72 + 7 * ORRERY_PTR, "refdef_t layout");

#undef ORRERY_PTR_ALIGN
#undef ORRERY_PTR
#undef ORRERY_LAYOUT_ASSERT

#endif /* ORRERY_REF_TYPES_H */
