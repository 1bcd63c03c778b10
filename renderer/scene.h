// The scene: a ring of textured globes inside a sphere of star points, with a
// swarm of additive glow sprites at the centre, all turning slowly.
#pragma once

#include <array>

#include "scene_random.h"
#include "texture.h"

struct GLUquadric;

namespace vantrel {

struct Glow {
  double scale, angle, red, green, blue, speed, limit;
};

struct Star {
  double x, y, z, grey;
};

struct Globe {
  double spin_x, spin_y, spin_z;     // in units of 100 degrees per second
  double angle_x, angle_y, angle_z;  // degrees
  double scale_x, scale_y, scale_z;
  double offset_z;
};

inline constexpr int kGlowCount = 24;
inline constexpr int kStarCount = 4000;
inline constexpr int kGlobeCount = 40;

// The scene's animation and the OpenGL objects it draws with, which belong to
// the context current at Init_Scene.
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
// from `disk` and draws every random value of the initial scene.
void Init_Scene(Scene& scene, int view_width, int view_height, TextureDisk& disk);

// Draws one frame at `total_seconds` and advances the animation by
// `delta_seconds`.
void Draw_Scene(Scene& scene, float total_seconds, float delta_seconds);

// Deletes the textures and the quadric; their context must still be current.
void Free_Scene(Scene& scene);

// The viewport after the window's size changes; a zero height counts as 1.
void Resize_Viewport(int width, int height);

}  // namespace vantrel
