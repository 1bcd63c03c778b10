#include "scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "gl_api.h"
#include "gl_recorder.h"
#include "texture_disk_fake.h"

namespace vantrel {
namespace {

// The C runtime's rand() from a fresh start, as published for its generator.
constexpr int kFirstRandValues[] = {41,    18467, 6334,  26500, 19169,
                                    15724, 11478, 29358, 26962, 24464};

TEST(RuntimeRandom, ReproducesTheRuntimeSequence) {
  RuntimeRandom r;
  for (int expected : kFirstRandValues) EXPECT_EQ(r.Next(), expected);
}

TEST(RuntimeRandom, UpToScalesByTwoToTheMinus15) {
  RuntimeRandom r;
  EXPECT_DOUBLE_EQ(r.UpTo(360), 41 / 32768.0 * 360);
  RuntimeRandom top;
  for (int i = 0; i < 100000; ++i) EXPECT_LT(top.UpTo(1), 1.0);
}

std::unique_ptr<Scene> NewScene(int view_width = 1024, int view_height = 768) {
  auto scene = std::make_unique<Scene>();
  gltest::Reset();
  testing::FakeTextureDisk no_files;
  Init_Scene(*scene, view_width, view_height, no_files);
  return scene;
}

TEST(SceneInit, FirstGlowTakesTheFirstSevenDrawsInOrder) {
  auto scene = NewScene();
  const Glow& g = scene->glows[0];
  const auto v = [](int i) { return kFirstRandValues[i] / 32768.0; };
  EXPECT_DOUBLE_EQ(g.angle, v(0) * 360);
  EXPECT_DOUBLE_EQ(g.red, v(1) * 0.3f + 0.7);
  EXPECT_DOUBLE_EQ(g.green, v(2) * 0.6f);
  EXPECT_DOUBLE_EQ(g.blue, v(3) * 0.3f);
  EXPECT_DOUBLE_EQ(g.speed, v(4) * 0.3f + 0.5);
  EXPECT_DOUBLE_EQ(g.limit, v(5) * 0.5f + 1.0);
  EXPECT_DOUBLE_EQ(g.scale, v(6) + 3);
  EXPECT_DOUBLE_EQ(scene->glows[1].angle, v(7) * 360);
}

TEST(SceneInit, StarsAndGlobesFollowTheGlowsInTheSequence) {
  auto scene = NewScene();
  RuntimeRandom r;
  for (int i = 0; i < kGlowCount * 7; ++i) r.Next();
  const float a = static_cast<float>(r.UpTo(6.2831855f));
  const double b = r.UpTo(6.2831855f);
  const Star& s = scene->stars[0];
  EXPECT_DOUBLE_EQ(s.x, 5 * std::cos(double(a)));
  EXPECT_DOUBLE_EQ(s.y, 5 * std::sin(double(a)) * std::sin(b));
  EXPECT_DOUBLE_EQ(s.z, 5 * std::sin(double(a)) * std::cos(b));
  EXPECT_DOUBLE_EQ(s.grey, r.UpTo(0.5f) + 0.5);
  for (int i = 1; i < kStarCount; ++i) r.Next(), r.Next(), r.Next();
  const Globe& g = scene->globes[0];
  EXPECT_DOUBLE_EQ(g.offset_z, r.UpTo(0.05f) - 0.025);
  EXPECT_DOUBLE_EQ(g.scale_x, (r.UpTo(2) + 1) * 0.05);
}

TEST(SceneInit, EveryValueLiesInItsRange) {
  auto scene = NewScene();
  for (const Star& s : scene->stars) {
    EXPECT_NEAR(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), 5.0, 1e-6);
    EXPECT_GE(s.grey, 0.5);
    EXPECT_LT(s.grey, 1.0);
  }
  for (const Globe& g : scene->globes) {
    for (double scale : {g.scale_x, g.scale_y, g.scale_z}) {
      EXPECT_GE(scale, 0.05);
      EXPECT_LT(scale, 0.15);
    }
    EXPECT_GE(g.offset_z, -0.025);
    EXPECT_LT(g.offset_z, 0.025);
  }
  for (const Glow& g : scene->glows) {
    EXPECT_GE(g.scale, 3);  // beyond every limit: all die in the first frame
    EXPECT_LE(g.limit, 1.5);
  }
}

TEST(SceneInit, TwoRunsBuildTheSameScene) {
  auto one = NewScene();
  auto two = NewScene();
  EXPECT_EQ(std::memcmp(&one->stars, &two->stars, sizeof one->stars), 0);
  EXPECT_EQ(std::memcmp(&one->globes, &two->globes, sizeof one->globes), 0);
  EXPECT_EQ(std::memcmp(&one->glows, &two->glows, sizeof one->glows), 0);
}

TEST(SceneInit, SetsUpTheCameraAndATexturingQuadric) {
  auto scene = NewScene();
  ASSERT_EQ(gltest::Count("gluPerspective"), 1);
  for (const gltest::Call& c : gltest::Calls()) {
    if (c.name == "gluPerspective") {
      EXPECT_EQ(c.args[0], 55.0);
      EXPECT_DOUBLE_EQ(c.args[1], 1024.0 / 768.0);
      EXPECT_EQ(c.args[2], 1.0);
      EXPECT_EQ(c.args[3], 20.0);
    }
  }
  EXPECT_EQ(gltest::CountWith("gluQuadricTexture", GL_TRUE), 1);
  EXPECT_EQ(gltest::Count("glEnable"), 0);  // nothing is switched on before the first frame
}

// Counts what one frame sends.
struct FrameCounts {
  int points = 0, spheres = 0, quads = 0, depth_test_enables = 0;
  bool depth_enabled_before_last_call = false;
  bool blend_on_for_quads = false;
};

FrameCounts CountFrame() {
  FrameCounts f;
  GLenum mode = 0;
  bool blend = false;
  const auto& calls = gltest::Calls();
  for (size_t i = 0; i < calls.size(); ++i) {
    const gltest::Call& c = calls[i];
    if (c.name == "glBegin") mode = GLenum(c.args[0]);
    if (c.name == "glVertex3f" && mode == GL_POINTS) ++f.points;
    if (c.name == "glBegin" && mode == GL_QUADS) {
      ++f.quads;
      f.blend_on_for_quads = blend;
    }
    if (c.name == "gluSphere") ++f.spheres;
    if (c.name == "glEnable" && c.args[0] == GL_BLEND) blend = true;
    if (c.name == "glDisable" && c.args[0] == GL_BLEND) blend = false;
    if (c.name == "glEnable" && c.args[0] == GL_DEPTH_TEST) {
      ++f.depth_test_enables;
      f.depth_enabled_before_last_call = i + 3 == calls.size();
    }
  }
  return f;
}

TEST(SceneFrame, SendsFixedCountsWithBlendForGlowsAndDepthAtTheEnd) {
  auto scene = NewScene();
  gltest::Reset();
  Draw_Scene(*scene, 0.5f, 0.5f);
  const FrameCounts f = CountFrame();
  EXPECT_EQ(f.points, kStarCount);
  EXPECT_EQ(f.spheres, kGlobeCount);
  EXPECT_EQ(f.quads, kGlowCount);
  EXPECT_TRUE(f.blend_on_for_quads);
  EXPECT_EQ(f.depth_test_enables, 1);
  EXPECT_TRUE(f.depth_enabled_before_last_call);  // then glDisable(TEXTURE_2D), glPopMatrix
  EXPECT_EQ(gltest::Count("glPushMatrix"), gltest::Count("glPopMatrix"));
  EXPECT_EQ(gltest::CountWith("glDepthMask", GL_FALSE), 1);
  EXPECT_EQ(gltest::Calls().front().name, "glClear");
}

TEST(SceneFrame, BindsTheGlobeThenTheGlowTextureAndFreeDeletesBoth) {
  auto scene = NewScene();
  const auto texture_names = [](const char* name) {  // the name each call carries
    std::vector<double> out;
    for (const gltest::Call& c : gltest::Calls()) {
      if (c.name == name) out.push_back(c.args[1]);
    }
    return out;
  };
  const std::vector<double> generated = texture_names("glGenTextures");  // globe, then glow
  gltest::Reset();
  Draw_Scene(*scene, 0.1f, 0.1f);
  EXPECT_EQ(texture_names("glBindTexture"), generated);
  Free_Scene(*scene);
  EXPECT_EQ(texture_names("glDeleteTextures"), generated);
  EXPECT_EQ(gltest::Count("gluDeleteQuadric"), 1);
}

// Whether depth testing is on at each glVertex3f of the points, replaying
// enable and disable calls across the recorded frames.
std::vector<bool> DepthTestAtStars() {
  std::vector<bool> out;
  bool depth = false;
  GLenum mode = 0;
  for (const gltest::Call& c : gltest::Calls()) {
    if (c.name == "glEnable" && c.args[0] == GL_DEPTH_TEST) depth = true;
    if (c.name == "glDisable" && c.args[0] == GL_DEPTH_TEST) depth = false;
    if (c.name == "glBegin") {
      mode = GLenum(c.args[0]);
      if (mode == GL_POINTS) out.push_back(depth);
    }
  }
  return out;
}

TEST(SceneFrame, FirstFrameDrawsWithoutDepthTestingAndLaterFramesWithIt) {
  auto scene = NewScene();
  gltest::Reset();
  Draw_Scene(*scene, 0.1f, 0.1f);
  Draw_Scene(*scene, 0.2f, 0.1f);
  Draw_Scene(*scene, 0.3f, 0.1f);
  EXPECT_EQ(DepthTestAtStars(), (std::vector<bool>{false, true, true}));
}

TEST(SceneFrame, GlobesStandOnTheRingAtTimeZero) {
  auto scene = NewScene();
  gltest::Reset();
  Draw_Scene(*scene, 0, 0);
  int k = 0;
  const auto& calls = gltest::Calls();
  for (size_t i = 0; i + 1 < calls.size(); ++i) {
    if (calls[i].name != "glPushMatrix" || calls[i + 1].name != "glTranslatef") continue;
    const double theta = k * M_PI / 20;
    EXPECT_NEAR(calls[i + 1].args[0], 1.2 * std::cos(theta), 1e-5) << k;
    EXPECT_NEAR(calls[i + 1].args[1], 1.2 * std::sin(theta), 1e-5) << k;
    EXPECT_FLOAT_EQ(calls[i + 1].args[2], float(scene->globes[k].offset_z));
    ++k;
  }
  EXPECT_EQ(k, kGlobeCount);
}

TEST(SceneFrame, SpinWrapsPast360AndBelowZero) {
  auto scene = NewScene();
  Globe& g = scene->globes[0];
  g.angle_x = 359.5;
  g.spin_x = 0.01;  // +1 degree in a one-second frame
  g.angle_y = 0.5;
  g.spin_y = -0.01;
  g.angle_z = 100;
  g.spin_z = 0.5;
  Draw_Scene(*scene, 1, 1);
  EXPECT_NEAR(g.angle_x, 0.5, 1e-9);
  EXPECT_NEAR(g.angle_y, 359.5, 1e-9);
  EXPECT_NEAR(g.angle_z, 150, 1e-9);
}

TEST(SceneFrame, ZeroDeltaLeavesSpinAndGlowScaleUnchanged) {
  auto scene = NewScene();
  Draw_Scene(*scene, 0.1f, 0.1f);  // the first frame respawns every glow
  const auto globes = scene->globes;
  const auto glows = scene->glows;
  Draw_Scene(*scene, 0.1f, 0);
  EXPECT_EQ(std::memcmp(&globes, &scene->globes, sizeof globes), 0);
  EXPECT_EQ(std::memcmp(&glows, &scene->glows, sizeof glows), 0);
}

TEST(SceneFrame, FirstFrameRespawnsEveryGlowInvisibly) {
  auto scene = NewScene();
  gltest::Reset();
  Draw_Scene(*scene, 0.2f, 0.2f);
  for (const Glow& g : scene->glows) EXPECT_EQ(g.scale, 0);
  // Every glow colour of this frame is clamped to black by the negative fade.
  bool in_glows = false;
  int glow_colours = 0;
  for (const gltest::Call& c : gltest::Calls()) {
    if (c.name == "glDepthMask" && c.args[0] == GL_FALSE) in_glows = true;
    if (in_glows && c.name == "glColor3f") {
      ++glow_colours;
      EXPECT_LE(c.args[0], 0);
    }
  }
  EXPECT_EQ(glow_colours, kGlowCount);
}

// The glow colours and scales one frame draws, in glow order.
std::vector<gltest::Call> GlowColours() {
  std::vector<gltest::Call> out;
  bool in_glows = false;
  for (const gltest::Call& c : gltest::Calls()) {
    if (c.name == "glDepthMask" && c.args[0] == GL_FALSE) in_glows = true;
    if (in_glows && c.name == "glColor3f") out.push_back(c);
  }
  return out;
}

TEST(SceneFrame, GlowGrowsAtItsSpeedAndFadesOverItsLastUnit) {
  auto scene = NewScene();
  Draw_Scene(*scene, 0.1f, 0.1f);
  Glow& g = scene->glows[3];
  g.scale = 0;                                           // limit - 1 >= 0: full strength
  scene->glows[4].scale = scene->glows[4].limit - 0.25;  // in the fade
  gltest::Reset();
  Draw_Scene(*scene, 0.35f, 0.25f);
  EXPECT_NEAR(g.scale, 0.25 * g.speed, 1e-7);
  const auto colours = GlowColours();
  EXPECT_NEAR(colours[3].args[0], g.red, 1e-6);
  EXPECT_NEAR(colours[4].args[0], 0.25 * scene->glows[4].red, 1e-6);
  EXPECT_NEAR(colours[4].args[1], 0.25 * scene->glows[4].green, 1e-6);
}

TEST(SceneFrame, GlowExactlyAtItsLimitIsDrawnOnceMoreThenReborn) {
  auto scene = NewScene();
  Draw_Scene(*scene, 0.1f, 0.1f);
  Glow& g = scene->glows[5];
  g.scale = g.limit;
  const Glow before = g;
  gltest::Reset();
  Draw_Scene(*scene, 0.1f, 0);
  EXPECT_EQ(g.scale, before.limit);        // not yet respawned
  EXPECT_EQ(GlowColours()[5].args[0], 0);  // drawn with fade 0
  Draw_Scene(*scene, 0.2f, 0.1f);
  EXPECT_EQ(g.scale, 0);
  EXPECT_NE(g.angle, before.angle);
}

TEST(SceneCamera, ZeroHeightKeepsAFiniteAspectAndAOnePixelViewport) {
  auto scene = NewScene(800, 0);
  Resize_Viewport(800, 0);
  EXPECT_EQ(gltest::Calls().back().args[3], 1);
  for (const gltest::Call& c : gltest::Calls()) {
    if (c.name == "gluPerspective") {
      EXPECT_TRUE(std::isfinite(c.args[1]));
    }
  }
}

}  // namespace
}  // namespace vantrel
