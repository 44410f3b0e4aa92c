// The number of OpenGL lights of the current context (queried once).
#pragma once

// GL_MAX_LIGHTS of the context, read on first use.
int maxLights();
