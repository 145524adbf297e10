// Flight paths shared by particles, emitters and the flying objects: a
// quadratic Bezier curve from a start through a control point to an end.
#pragma once

#include <cmath>

namespace fx {

// Point at t of the curve start s, control m, end e (one coordinate).
inline float bezier(float s, float m, float e, float t) {
  return s + 2.f * t * (m - s) + t * t * (s - 2.f * m + e);
}

// sin(90 degrees x t): the eased parameter, fast at the start, slowing to a
// stop at the end.
inline float easeOut(float t) { return std::sin(t * static_cast<float>(M_PI) * 0.5f); }

inline float sinDeg(float deg) { return std::sin(deg * static_cast<float>(M_PI) / 180.f); }
inline float cosDeg(float deg) { return std::cos(deg * static_cast<float>(M_PI) / 180.f); }

}  // namespace fx
