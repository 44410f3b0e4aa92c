// The GLUT solids the models are made of.
#pragma once

enum class Solid : int {
    TankBody = 0,   // glutSolidSphere(size, 20, 20)
    ShellBody = 1,  // glutSolidSphere(size, 5, 5)
    Cone = 2,       // glutSolidCone(size, 2, 10, 10)
};

// Draws the solid of that kind and size at the current model-view matrix. Leaves the
// vertex array switched on; the first draw of a new kind and size also leaves array
// buffer 0 bound.
void drawSolid(Solid kind, float size);
