// The map as the overhead view draws it: the outline of its floors seen from above, read
// from the map the demo plays on through the document's renderer host (the paks).
#pragma once

#include "formats/bsp.h"

#include <string>
#include <vector>

class CTreskDoc;

// One edge of the outline, in game units, with the height it lies at.
struct OverheadSegment {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float z = 0;
};

struct OverheadBounds {
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
    void Add(float x, float y);
};

// The floor outline of a map's world: every edge that bounds a floor (a face a player can
// stand on: its normal, taken on the side the face looks along, at most 45 degrees from
// straight up) on one side only, so the floors' borders and walls' feet show and the
// seams between floor faces do not. Faces that are not drawn (sky, nodraw, skip) are left out.
std::vector<OverheadSegment> FloorOutline(const formats::Bsp& bsp);

// The bounds of an outline; empty for none.
OverheadBounds BoundsOf(const std::vector<OverheadSegment>& outline);

// The map the demo plays on: model 1 of its table ("maps/NAME.bsp"), read through the
// document's renderer host. False with a text saying why when the name is not a map's, the
// file is in none of the paks, or the map is unreadable.
bool LoadDemoMap(CTreskDoc& doc, formats::Bsp& bsp, std::string& error);
