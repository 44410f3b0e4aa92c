// The view volume of a frame, for the draws that leave out what cannot show: ground
// cells and models wholly outside it would be clipped away whole, so skipping them
// changes no pixel.
#pragma once

#include "world/world.h"

struct ViewVolume {
    // Inside where a x + b y + c z + d >= 0; (a, b, c) of unit length.
    double planes[6][4];
};

// The volume of the current projection and model-view matrices, in the coordinates
// the model-view matrix takes in.
ViewVolume currentViewVolume();
// False only when the sphere lies wholly outside the volume.
bool sphereMayShow(const ViewVolume& view, Vector3 centre, float radius);

// The play frame's volume in world coordinates while its models are drawn, null
// otherwise; with null every model in range is drawn.
extern const ViewVolume* frameView;
