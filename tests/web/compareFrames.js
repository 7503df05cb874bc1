// Pixel comparison of two frames of the same size: the share of pixels where some channel differs
// by more than the rounding and filtering differences of two GL implementations.
'use strict';

// Different rasterisers and texture filters move a channel by a few steps; a different object,
// colour or particle moves it by far more.
const channelTolerance = 24;

// a and b: { width, height, data } with RGBA bytes. Returns a share from 0 to 1; sizes that
// differ count as wholly different.
function differingShare(a, b) {
  if (a.width !== b.width || a.height !== b.height) return 1;
  let differing = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    if (Math.abs(a.data[i] - b.data[i]) > channelTolerance ||
        Math.abs(a.data[i + 1] - b.data[i + 1]) > channelTolerance ||
        Math.abs(a.data[i + 2] - b.data[i + 2]) > channelTolerance)
      ++differing;
  }
  return differing / (a.width * a.height);
}

module.exports = { differingShare, channelTolerance };
