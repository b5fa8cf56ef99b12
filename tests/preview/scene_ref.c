/*
 * A renderer plug-in for the preview tests. It speaks the game's renderer interface like
 * ref_soft.so, but instead of drawing the map it fills the frame with colours that follow
 * what it was asked to draw: the left half from the view origin and angles, the right half
 * from the drawn entities (their models and origins), and the overlay characters as a row of
 * marks at the top. It counts what it was asked to register, and the preview tests read the
 * counts through SceneRefStats.
 */
#include "orrery/platform_table.h"
#include "orrery/ref_types.h"

#include <stdio.h>
#include <string.h>

#include "scene_ref_stats.h"

#define MAX_NAMES SCENE_REF_NAMES
#define NAME_CHARS SCENE_REF_NAME_CHARS

static struct scene_ref_stats stats;
static refimport_t ri;
static const orrery_platform_t* platform;
static void* window;
static int width, height;
static unsigned int frameHash;
static unsigned int entityHash;
static int overlayChars;
static unsigned int pixels[1024 * 768];

__attribute__((visibility("default"))) const struct scene_ref_stats* SceneRefStats(void) {
    return &stats;
}

static unsigned int Mix(unsigned int h, float f) {
    unsigned int bits;
    memcpy(&bits, &f, sizeof bits);
    h ^= bits + 0x9e3779b9u + (h << 6) + (h >> 2);
    return h;
}

static int SceneInit(void* hinstance, void* wndproc) {
    (void)wndproc;
    platform = (const orrery_platform_t*)hinstance;
    ++stats.inits;
    if (!ri.Vid_GetModeInfo(&width, &height, 0))
        return 0;
    if (width > 1024 || height > 768 || !platform || platform->version != ORRERY_PLATFORM_VERSION)
        return 0;
    window = platform->OpenWindow(platform->context, "scene renderer", width, height);
    return window != NULL;
}

static void SceneShutdown(void) {
    ++stats.shutdowns;
    if (platform && window)
        platform->CloseWindow(platform->context, window);
    window = NULL;
}

static void SceneBeginRegistration(const char* map) {
    char path[NAME_CHARS + 16];
    void* buffer = NULL;
    ++stats.registrations;
    stats.modelCount = 0;
    stats.skinCount = 0;
    snprintf(stats.map, sizeof stats.map, "%s", map);
    snprintf(path, sizeof path, "maps/%s.bsp", map);
    stats.mapLength = ri.FS_LoadFile(path, &buffer);
    ri.FS_FreeFile(buffer);
}

static struct model_s* SceneRegisterModel(const char* name) {
    if (stats.modelCount < MAX_NAMES)
        snprintf(stats.models[stats.modelCount], NAME_CHARS, "%s", name);
    ++stats.modelCount;
    /* Handles are positions in the list, never null. */
    return (struct model_s*)(size_t)(stats.modelCount);
}

static struct image_s* SceneRegisterSkin(const char* name) {
    if (stats.skinCount < MAX_NAMES)
        snprintf(stats.skins[stats.skinCount], NAME_CHARS, "%s", name);
    ++stats.skinCount;
    return (struct image_s*)(size_t)(stats.skinCount);
}

static void SceneSetSky(const char* name, float rotate, float axis[3]) {
    snprintf(stats.sky, sizeof stats.sky, "%s", name);
    stats.skyRotate = rotate;
    memcpy(stats.skyAxis, axis, sizeof stats.skyAxis);
}

static void SceneEndRegistration(void) {}

static void SceneRenderFrame(refdef_t* fd) {
    int i, k;
    ++stats.frames;
    stats.entities = fd->num_entities;
    memcpy(stats.vieworg, fd->vieworg, sizeof stats.vieworg);
    memcpy(stats.viewangles, fd->viewangles, sizeof stats.viewangles);
    stats.fovX = fd->fov_x;
    stats.rdflags = fd->rdflags;
    frameHash = 2166136261u;
    for (k = 0; k < 3; ++k) {
        frameHash = Mix(frameHash, fd->vieworg[k]);
        frameHash = Mix(frameHash, fd->viewangles[k]);
    }
    entityHash = 2166136261u;
    for (i = 0; i < fd->num_entities; ++i) {
        const entity_t* e = &fd->entities[i];
        entityHash = Mix(entityHash, (float)(size_t)e->model);
        for (k = 0; k < 3; ++k)
            entityHash = Mix(entityHash, e->origin[k]);
        entityHash = Mix(entityHash, (float)e->frame);
    }
    overlayChars = 0;
    stats.overlay[0] = '\0';
}

static void SceneDrawChar(int x, int y, int c) {
    (void)x;
    (void)y;
    if (overlayChars < (int)sizeof stats.overlay - 1) {
        stats.overlay[overlayChars++] = (char)(c & 0x7f);
        stats.overlay[overlayChars] = '\0';
    }
}

static void SceneBeginFrame(float separation) {
    (void)separation;
}

static void SceneEndFrame(void) {
    int x, y;
    const unsigned int left = 0xff000000u | (frameHash & 0xffffffu);
    const unsigned int right = 0xff000000u | (entityHash & 0xffffffu);
    for (y = 0; y < height; ++y)
        for (x = 0; x < width; ++x)
            pixels[y * width + x] = x < width / 2 ? left : right;
    for (x = 0; x < overlayChars * 8 && x < width; ++x)
        pixels[x] = 0xffffffffu;
    if (platform && window &&
        platform->PresentFrame(platform->context, window, pixels, width, height, width * 4,
                               ORRERY_PIXELS_XRGB32))
        ++stats.presented;
}

__attribute__((visibility("default"))) refexport_t GetRefAPI(refimport_t imports) {
    refexport_t re;
    memset(&re, 0, sizeof re);
    ri = imports;
    re.api_version = REF_API_VERSION;
    re.Init = SceneInit;
    re.Shutdown = SceneShutdown;
    re.BeginRegistration = SceneBeginRegistration;
    re.RegisterModel = SceneRegisterModel;
    re.RegisterSkin = SceneRegisterSkin;
    re.SetSky = SceneSetSky;
    re.EndRegistration = SceneEndRegistration;
    re.RenderFrame = SceneRenderFrame;
    re.DrawChar = SceneDrawChar;
    re.BeginFrame = SceneBeginFrame;
    re.EndFrame = SceneEndFrame;
    return re;
}
