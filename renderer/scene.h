// The scene: a ring of textured globes inside a sphere of star points, with a
// swarm of additive glow sprites at the centre, all turning slowly.
#pragma once

#include <array>

#include "scene_random.h"
#include "texture.h"

struct GLUquadric;

namespace vantrel {

struct Glow {
  double Scale, Angle, Red, Green, Blue, Speed, Limit;
};

struct Star {
  double X, Y, Z, Grey;
};

struct Globe {
  double SpinX, SpinY, SpinZ;     // in units of 100 degrees per second
  double AngleX, AngleY, AngleZ;  // degrees
  double ScaleX, ScaleY, ScaleZ;
  double OffsetZ;
};

inline constexpr int kGlowCount = 24;
inline constexpr int kStarCount = 4000;
inline constexpr int kGlobeCount = 40;

// The scene's animation and the OpenGL objects it draws with, which belong to
// the context current at InitScene.
struct Scene {
  RuntimeRandom random;
  GLUquadric* quadric = nullptr;
  Texture globe_texture;
  Texture glow_texture;
  std::array<Glow, kGlowCount> glows{};
  std::array<Star, kStarCount> stars{};
  std::array<Globe, kGlobeCount> globes{};
};

// Sets up the camera for a viewport of the given size, loads both textures
// and draws every random value of the initial scene.
void InitScene(Scene& scene, int view_width, int view_height);

// Draws one frame at `total_seconds` and advances the animation by
// `delta_seconds`.
void DrawScene(Scene& scene, float total_seconds, float delta_seconds);

// Deletes the textures and the quadric; their context must still be current.
void FreeScene(Scene& scene);

// Exposed for tests: one glow's rebirth with fresh random values.
void RespawnGlow(Scene& scene, int index);

// Camera set-up shared with the frame loop: viewport, perspective, eye.
void SetupCamera(int view_width, int view_height);
void ResizeViewport(int width, int height);

}  // namespace vantrel
