/*
 * The window services a renderer plug-in draws through.
 *
 * The game's renderer expects to create its own top-level window inside
 * refexport_t.Init(hinstance, wndproc). On this platform the host passes, in
 * place of the instance handle, a pointer to an orrery_platform_t: the plug-in
 * creates its window, presents its finished frames and asks for the window's
 * size only through this table, so it links nothing of the host and no window
 * toolkit. The preview window arms itself before calling Init and adopts the
 * window that the renderer creates through OpenWindow.
 *
 * Contract for a plug-in:
 *  - Check version == ORRERY_PLATFORM_VERSION and size >= sizeof(orrery_platform_t)
 *    before using any entry; otherwise fail Init (return 0).
 *  - Pass context back unchanged as the first argument of every entry.
 *  - Every entry is called on the thread that called into the renderer, and
 *    only from inside a renderer call (Init, BeginFrame ... EndFrame, Shutdown).
 *  - A window handle is opaque; it stays valid until CloseWindow or until the
 *    host destroys the window itself (after which the host ignores it).
 *
 * Plain C, so the table can cross the boundary between the host (C++) and a
 * plug-in written in C.
 */
#ifndef ORRERY_PLATFORM_TABLE_H
#define ORRERY_PLATFORM_TABLE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Raised whenever an entry is added or a signature changes. */
#define ORRERY_PLATFORM_VERSION 1

/* Pixel layout of a presented frame: each pixel one 32-bit word 0xffRRGGBB in
 * the machine's byte order (the layout of a 32-bit RGB image with an unused
 * alpha byte). */
#define ORRERY_PIXELS_XRGB32 1

typedef struct orrery_platform_s {
    int version; /* ORRERY_PLATFORM_VERSION */
    int size;    /* sizeof(orrery_platform_t) as the host built it */
    void* context;

    /* Creates the renderer's top-level window whose drawing area is width x
     * height pixels, with the given title (may be null). Returns an opaque
     * window handle, or null when no window could be made; Init should then
     * fail. */
    void* (*OpenWindow)(void* context, const char* title, int width, int height);

    /* Destroys a window made by OpenWindow; a null or unknown handle is
     * ignored. */
    void (*CloseWindow)(void* context, void* window);

    /* Shows a finished frame in the window. pixels holds height rows of width
     * pixels in the given format (ORRERY_PIXELS_XRGB32), consecutive rows
     * stride bytes apart. The host copies what it needs before returning; the
     * plug-in keeps ownership of the pixels. Returns 1 when shown, 0 when the
     * window is gone or the arguments make no sense. */
    int (*PresentFrame)(void* context, void* window, const void* pixels, int width, int height,
                        int stride, int format);

    /* Writes the current size of the window's drawing area. Returns 1, or 0
     * (and writes nothing) when the window is gone. */
    int (*GetWindowSize)(void* context, void* window, int* width, int* height);
} orrery_platform_t;

#ifdef __cplusplus
}
#endif

#endif /* ORRERY_PLATFORM_TABLE_H */
