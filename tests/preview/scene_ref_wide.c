/*
 * A renderer of another interface version whose export table is far longer than the 22
 * slots of version 3: the host must read its version without letting it write past the
 * host's memory, then pass it over.
 */
#include <string.h>

typedef struct {
    int api_version;
    void* slots[200];
} wide_export_t;

typedef struct {
    void* entries[16];
} imports_t;

__attribute__((visibility("default"))) wide_export_t GetRefAPI(imports_t imports) {
    wide_export_t re;
    (void)imports;
    memset(&re, 0x5a, sizeof re);
    re.api_version = 7;
    return re;
}
