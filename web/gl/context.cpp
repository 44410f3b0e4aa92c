// The context restored: when the browser gives back the graphics it took away, every
// WebGL object of the old context is gone, while the game and the layer still hold the
// GL names Emscripten gave them. Each name of Emscripten's tables (textures, buffers,
// vertex arrays) gets a new object of its kind, so that no name changes; then each of
// the layer's files fills its objects from the copies it kept, and the shader programs
// are built again as they are drawn with. Nothing of this runs in a frame.
#include <emscripten/emscripten.h>

#include "web/gl/layer.h"

namespace {

// A new object for each name in use, and the bindings Emscripten remembers cleared: a
// restored context has nothing bound. The programs and shaders of the old context are
// forgotten (the layer makes new ones).
EM_JS(void, remakeObjects, (), {
    var gl = GLctx;
    var remake = function(table, create) {
        for (var name = 0; name < table.length; ++name) {
            if (table[name]) {
                var object = gl[create]();
                object.name = name;
                table[name] = object;
            }
        }
    };
    remake(GL.textures, 'createTexture');
    remake(GL.buffers, 'createBuffer');
    remake(GL.vaos, 'createVertexArray');
    var forget = function(table) {
        for (var name = 0; name < table.length; ++name)
            table[name] = null;
    };
    forget(GL.programs);
    forget(GL.shaders);
    gl.currentProgram = null;
    gl.currentArrayBufferBinding = 0;
    gl.currentElementArrayBufferBinding = 0;
    gl.currentPixelUnpackBufferBinding = 0;
    gl.currentPixelPackBufferBinding = 0;
    gl.multiDrawWebgl = null;
});

// What the page can read of the last restore: how many there were, and the bytes the
// kept copies take (the pictures given to GLU, the other textures' images, the buffer
// objects' data, the display lists' vertices and indices).
EM_JS(void, tellRestored,
      (int restores, double pictures, double textures, double buffers, double lists), {
          Module['graphicsRestored'] = {
              restores : restores,
              keptBytes : pictures + textures + buffers + lists,
              kept : {pictures : pictures, textures : textures, buffers : buffers, lists : lists}
          };
      });

int restores = 0;

}  // namespace

namespace layer {

void restoreContext() {
    remakeObjects();
    restoreVertexPaths();
    restorePrograms();
    restoreBuffers();
    restoreLists();
    restoreTextures();
    ++restores;
    tellRestored(restores, static_cast<double>(keptPictureBytes()),
                 static_cast<double>(keptTextureBytes()), static_cast<double>(keptBufferBytes()),
                 static_cast<double>(keptListBytes()));
}

}  // namespace layer
