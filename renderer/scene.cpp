#include "scene.h"

#include <cmath>

#include "gl_api.h"

namespace vantrel {
namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kRingStep = 0.07853982f;  // pi / 40: neighbours stand 2 steps apart
constexpr double kRingRadius = 1.2;
constexpr double kRingTurnRate = 0.5;  // radians per second
constexpr double kStarRadius = 5.0;
constexpr float kGlowSpread = 0.55f;
constexpr double kGlobeRadius = 0.5;
constexpr int kGlobeSlices = 16;
constexpr int kGlobeStacks = 16;

// A glow's rebirth: from nothing, with fresh random values.
void RespawnGlow(Scene& scene, int index) {
  Glow& glow = scene.glows[index];
  RuntimeRandom& r = scene.random;
  glow.scale = 0;
  glow.angle = r.UpTo(360);
  glow.red = r.UpTo(0.3f) + 0.7;
  glow.green = r.UpTo(0.6f);
  glow.blue = r.UpTo(0.3f);
  glow.speed = r.UpTo(0.3f) + 0.5;
  glow.limit = r.UpTo(0.5f) + 1.0;
}

void InitGlows(Scene& scene) {
  for (int i = 0; i < kGlowCount; ++i) {
    RespawnGlow(scene, i);
    scene.glows[i].scale = scene.random.UpTo(1) + 3;
  }
}

void InitStars(Scene& scene) {
  for (Star& star : scene.stars) {
    const float a = static_cast<float>(scene.random.UpTo(kTwoPi));
    const double b = scene.random.UpTo(kTwoPi);
    star.x = kStarRadius * std::cos(static_cast<double>(a));
    star.y = kStarRadius * std::sin(static_cast<double>(a)) * std::sin(b);
    star.z = kStarRadius * std::sin(static_cast<double>(a)) * std::cos(b);
    star.grey = scene.random.UpTo(0.5f) + 0.5;
  }
}

void InitGlobes(Scene& scene) {
  RuntimeRandom& r = scene.random;
  for (Globe& g : scene.globes) {
    g.offset_z = r.UpTo(0.05f) - 0.025;
    g.scale_x = (r.UpTo(2) + 1) * 0.05;
    g.scale_y = (r.UpTo(2) + 1) * 0.05;
    g.scale_z = (r.UpTo(2) + 1) * 0.05;
    g.angle_x = r.UpTo(360);
    g.angle_y = r.UpTo(360);
    g.angle_z = r.UpTo(360);
    g.spin_x = r.UpTo(2) - 1;
    g.spin_y = r.UpTo(2) - 1;
    g.spin_z = r.UpTo(2) - 1;
  }
}

void DrawStars(const Scene& scene) {
  glBegin(GL_POINTS);
  for (const Star& s : scene.stars) {
    const auto grey = static_cast<GLfloat>(s.grey);
    glColor3f(grey, grey, grey);
    glVertex3f(static_cast<GLfloat>(s.x), static_cast<GLfloat>(s.y), static_cast<GLfloat>(s.z));
  }
  glEnd();
}

void DrawGlobe(GLUquadric* quadric, float tx, float ty, float tz, float ax, float ay, float az,
               float sx, float sy, float sz) {
  glPushMatrix();
  glTranslatef(tx, ty, tz);
  glRotatef(ax, 1, 0, 0);
  glRotatef(ay, 0, 1, 0);
  glRotatef(az, 0, 0, 1);
  glScalef(sx, sy, sz);
  gluSphere(quadric, kGlobeRadius, kGlobeSlices, kGlobeStacks);
  glPopMatrix();
}

// One correction per frame keeps the angle within [0, 360] at normal speeds.
double WrapAngle(double angle) {
  if (angle > 360) angle -= 360;
  if (angle < 0) angle += 360;
  return angle;
}

void SpinGlobe(Globe& g, float delta_seconds) {
  const double f = 100.0 * delta_seconds;
  g.angle_x += f * g.spin_x;
  g.angle_y += f * g.spin_y;
  g.angle_z += f * g.spin_z;
  g.angle_x = WrapAngle(g.angle_x);
  g.angle_y = WrapAngle(g.angle_y);
  g.angle_z = WrapAngle(g.angle_z);
}

void DrawGlobes(Scene& scene, float total_seconds, float delta_seconds) {
  for (int k = 0; k < kGlobeCount; ++k) {
    Globe& g = scene.globes[k];
    const double theta = 2.0 * k * kRingStep + kRingTurnRate * total_seconds;
    DrawGlobe(scene.quadric, static_cast<float>(kRingRadius * std::cos(theta)),
              static_cast<float>(kRingRadius * std::sin(theta)), static_cast<float>(g.offset_z),
              static_cast<float>(g.angle_x), static_cast<float>(g.angle_y),
              static_cast<float>(g.angle_z), static_cast<float>(g.scale_x),
              static_cast<float>(g.scale_y), static_cast<float>(g.scale_z));
    SpinGlobe(g, delta_seconds);
  }
}

void DrawGlow(Scene& scene, int index, float delta_seconds) {
  Glow& glow = scene.glows[index];
  const double s = glow.scale;
  glPushMatrix();
  const auto sf = static_cast<GLfloat>(s);
  glScalef(sf, sf, sf);
  // Full strength until scale passes limit - 1, then a linear fade to 0.
  const float fade = static_cast<float>(glow.limit - 1 >= s ? 1.0 : glow.limit - s);
  glRotatef(static_cast<GLfloat>(glow.angle), 0, 0, 1);
  glColor3f(static_cast<GLfloat>(fade * glow.red), static_cast<GLfloat>(fade * glow.green),
            static_cast<GLfloat>(fade * glow.blue));
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(-1, -1, 0);
  glTexCoord2f(1, 0);
  glVertex3f(1, -1, 0);
  glTexCoord2f(1, 1);
  glVertex3f(1, 1, 0);
  glTexCoord2f(0, 1);
  glVertex3f(-1, 1, 0);
  glEnd();
  glow.scale = s + delta_seconds * glow.speed;
  // A glow exactly at its limit is drawn once more (with fade 0) before rebirth.
  if (glow.scale > glow.limit) RespawnGlow(scene, index);
  glPopMatrix();
}

void SetupCamera(int view_width, int view_height) {
  glViewport(0, 0, view_width, view_height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // A zero height (a window without a size yet) is taken as 1 so the aspect
  // ratio stays finite.
  const double aspect = static_cast<double>(view_width) / (view_height == 0 ? 1 : view_height);
  gluPerspective(55.0, aspect, 1.0, 20.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -3);
  glClearColor(0, 0, 0, 0);
}

}  // namespace

void Resize_Viewport(int width, int height) { glViewport(0, 0, width, height == 0 ? 1 : height); }

void Init_Scene(Scene& scene, int view_width, int view_height, TextureDisk& disk) {
  SetupCamera(view_width, view_height);
  scene.quadric = gluNewQuadric();
  gluQuadricTexture(scene.quadric, GL_TRUE);
  // A missing texture leaves white globes and solid glow squares.
  (void)scene.globe_texture.LoadBmp(TextureFile::kGlobe, disk);
  (void)scene.glow_texture.LoadBmp(TextureFile::kGlow, disk);
  InitGlows(scene);
  InitStars(scene);
  InitGlobes(scene);
}

void Draw_Scene(Scene& scene, float total_seconds, float delta_seconds) {
  const float t = total_seconds;
  const GLfloat a = 9 * t, b = 12 * t, c = -6 * t;

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  glRotatef(a, 1, 0, 1);
  glRotatef(b, 0, 1, 0);
  glRotatef(c, 0, 0, 1);
  DrawStars(scene);

  glEnable(GL_TEXTURE_2D);
  scene.globe_texture.Bind();
  glColor3f(1, 1, 1);
  DrawGlobes(scene, total_seconds, delta_seconds);

  // The glows are drawn in the unrotated frame, facing the camera.
  glRotatef(-c, 0, 0, 1);
  glRotatef(-b, 0, 1, 0);
  glRotatef(-a, 1, 0, 1);
  glScalef(kGlowSpread, kGlowSpread, kGlowSpread);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  scene.glow_texture.Bind();
  for (int i = 0; i < kGlowCount; ++i) DrawGlow(scene, i, delta_seconds);

  // Depth testing starts here, so the first frame is drawn without it.
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

void Free_Scene(Scene& scene) {
  scene.globe_texture.Release();
  scene.glow_texture.Release();
  if (scene.quadric) gluDeleteQuadric(scene.quadric);
  scene.quadric = nullptr;
}

}  // namespace vantrel
