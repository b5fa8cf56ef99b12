/* A loadable library that is not a renderer: it has no GetRefAPI. */
__attribute__((visibility("default"))) int NotARendererEntry(void) {
    return 0;
}
