// Pixel comparison of two frames of the same size: the share of pixels where some channel differs
// by more than the rounding and filtering differences of two GL implementations, and the PSNR of
// the two away from the particles.
'use strict';

// Different rasterisers and texture filters move a channel by a few steps; a different object,
// colour or particle moves it by far more.
const channelTolerance = 24;

// The particle systems' colours (red, yellow and grey trails, the rockets' flame, and black before
// a particle's first relaunch): the show's only pixels placed at random, so they differ between any
// two runs. A particle's pixels inside its square are exactly its colour.
const particleColours = [[255, 0, 0], [255, 255, 0], [77, 77, 77], [230, 51, 26], [0, 0, 0]];
const particleColourTolerance = 2;
// Pixels that differ this much from the other frame, in a particle's colour in either, are a
// particle; with the ring around each (edges blended by multisampling) they are left out.
const particleDifference = 64;

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

function particleColoured(data, i) {
  return particleColours.some((c) => Math.abs(data[i] - c[0]) <= particleColourTolerance &&
    Math.abs(data[i + 1] - c[1]) <= particleColourTolerance &&
    Math.abs(data[i + 2] - c[2]) <= particleColourTolerance);
}

// Which pixels belong to a particle in either frame, grown by margin pixels each way.
function particleMask(a, b, margin) {
  const { width, height } = a;
  const seeds = new Uint8Array(width * height);
  for (let p = 0; p < width * height; ++p) {
    const i = 4 * p;
    const far = Math.max(Math.abs(a.data[i] - b.data[i]), Math.abs(a.data[i + 1] - b.data[i + 1]),
      Math.abs(a.data[i + 2] - b.data[i + 2]));
    if (far > particleDifference && (particleColoured(a.data, i) || particleColoured(b.data, i)))
      seeds[p] = 1;
  }
  const mask = new Uint8Array(width * height);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      if (!seeds[y * width + x]) continue;
      for (let v = Math.max(0, y - margin); v <= Math.min(height - 1, y + margin); ++v)
        mask.fill(1, v * width + Math.max(0, x - margin), v * width + Math.min(width - 1, x + margin) + 1);
    }
  return mask;
}

// The peak signal-to-noise ratio in dB of a against b over their red, green and blue, leaving
// out the particles and margin pixels around them; also the share of pixels left out.
function psnrAwayFromParticles(a, b, margin) {
  if (a.width !== b.width || a.height !== b.height) return { psnr: 0, leftOut: 1 };
  const mask = particleMask(a, b, margin);
  let squares = 0;
  let counted = 0;
  for (let p = 0; p < a.width * a.height; ++p) {
    if (mask[p]) continue;
    const i = 4 * p;
    for (let c = 0; c < 3; ++c) squares += (a.data[i + c] - b.data[i + c]) ** 2;
    counted += 3;
  }
  const mse = squares / Math.max(counted, 1);
  return {
    psnr: mse === 0 ? Infinity : 10 * Math.log10((255 * 255) / mse),
    leftOut: 1 - counted / 3 / (a.width * a.height),
  };
}

module.exports = { differingShare, psnrAwayFromParticles, channelTolerance };
