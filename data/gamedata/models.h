// Simple models for the generated game data, made of boxes: items, weapons, projectiles,
// decorations and a person-shaped player model.
#pragma once

#include <string>

#include "formats/md2.h"

namespace gamedata {

enum class Shape { Crate, Diamond, Rod, Person, Gun, Banner };

// A model of `frames` frames (a gentle bob or, for a person, a stride) with one skin name;
// the skin picture is 64 x 64 for every shape.
formats::Md2 MakeModel(Shape shape, int frames, const std::string& skin);

} // namespace gamedata
