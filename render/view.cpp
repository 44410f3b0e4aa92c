#include "render/view.h"

#include <GL/gl.h>

#include <cmath>

#include "render/render.h"

const ViewVolume* frameView = nullptr;

ViewVolume currentViewVolume() {
    GLfloat projection[16];
    GLfloat modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    // clip = projection x model-view, column-major like GL's own.
    double clip[16];
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += static_cast<double>(projection[k * 4 + row]) * modelView[col * 4 + k];
            }
            clip[col * 4 + row] = sum;
        }
    }
    // The planes w + x, w - x, w + y, w - y, w + z, w - z >= 0.
    ViewVolume view{};
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            const double sign = side == 0 ? 1.0 : -1.0;
            double* p = view.planes[axis * 2 + side];
            for (int col = 0; col < 4; ++col) {
                p[col] = clip[col * 4 + 3] + sign * clip[col * 4 + axis];
            }
            const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
            if (length > 0.0) {
                for (int col = 0; col < 4; ++col) {
                    p[col] /= length;
                }
            }
        }
    }
    return view;
}

bool sphereMayShow(const ViewVolume& view, Vector3 centre, float radius) {
    // A little slack against rounding: a sphere grazing a plane is kept.
    const double reach = -(radius * 1.001 + 0.01);
    for (const auto& p : view.planes) {
        if (p[0] * centre.x + p[1] * centre.y + p[2] * centre.z + p[3] < reach) {
            return false;
        }
    }
    return true;
}
