// The JavaScript half of the web GL layer: hands a context made through html5.h to the
// fixed-function emulation, rotates its vertex buffers per frame and counts WebGL draw calls.
mergeInto(LibraryManager.library, {
  orbekWebglRegister__deps: ['$GL', '$GLImmediate', '$GLEmulation', '$Browser'],
  orbekWebglRegister: function() {
    // The emulation initialises itself from Browser.createContext only; html5.h contexts skip that.
    // Its shaders and buffers belong to one context, so a new context starts it afresh.
    Module.ctx = GLctx;
    Module.useWebGL = true;
    GLImmediate.init();
    GLImmediate.currentRenderer = null;
    GLImmediate.lastRenderer = null;
    if (!GLctx.orbekDrawCounter) {
      var drawArrays = GLctx.drawArrays, drawElements = GLctx.drawElements;
      GLctx.orbekDraws = 0;
      GLctx.drawArrays = function() { GLctx.orbekDraws++; return drawArrays.apply(GLctx, arguments); };
      GLctx.drawElements = function() { GLctx.orbekDraws++; return drawElements.apply(GLctx, arguments); };
      GLctx.orbekDrawCounter = true;
    }
  },

  orbekWebglNewFrame__deps: ['$GL'],
  orbekWebglNewFrame: function() {
    GL.newRenderingFrameStarted();
  },

  orbekWebglDrawCount: function() {
    return (typeof GLctx !== 'undefined' && GLctx && GLctx.orbekDraws) ? GLctx.orbekDraws : 0;
  },
});
