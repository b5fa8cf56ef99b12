// Drawing between two blocks the way the game's client draws between two server frames: the
// later frame's entities, each one also in the earlier frame moved part of the way from where
// it stood there (origins straight, angles the short way round), and the player's eye, view
// angles and field of view likewise. What jumped (a teleport, a new model, a move too long to
// be one frame's walk) stands where the later frame has it.
#pragma once

#include "preview/preview_scene.h"

// The angle `fraction` of the way from `from` to `to` (degrees), turning by at most half a
// circle.
float LerpAngle(float from, float to, float fraction);

// The entity is drawn where `to` has it rather than on the way from `from`.
bool SnapsBetween(const EntityState& from, const EntityState& to);
// The player's view jumps from `from` to `to` (1/8 unit origins).
bool ViewSnapsBetween(const int16_t from[3], const int16_t to[3]);

// The scene `fraction` (0..1) of the way from `from` to `to`: the entities of `to`, those also
// in `from` interpolated; the player of `to` with eye, angles and field of view interpolated.
PreviewScene LerpScene(const PreviewScene& from, const PreviewScene& to, float fraction);
