// What the preview tests' renderer plug-in (scene_ref.c) counted, read through its export.
#pragma once

#define SCENE_REF_NAMES 700
#define SCENE_REF_NAME_CHARS 64

struct scene_ref_stats {
    int inits;
    int shutdowns;
    int registrations;
    int mapLength;
    char map[SCENE_REF_NAME_CHARS];
    int modelCount;
    char models[SCENE_REF_NAMES][SCENE_REF_NAME_CHARS];
    int skinCount;
    char skins[SCENE_REF_NAMES][SCENE_REF_NAME_CHARS];
    char sky[SCENE_REF_NAME_CHARS];
    float skyRotate;
    float skyAxis[3];
    int frames;
    int entities;
    float vieworg[3];
    float viewangles[3];
    float fovX;
    int rdflags;
    char overlay[300];
    int presented;
};
