// Batch contact prediction for the frame update and the enemies' look-ahead.
//
// predictContact recomputes both velocities from sine and cosine on every call. Here
// each entity's motion over the horizon is computed once (a ContactBody) and the pair
// test repeats predictContact's float operations in the same order, so both give the
// same bits. A conservative test on the x and z gaps rejects pairs that cannot meet
// before any of that arithmetic runs.
#pragma once

#include <cmath>

#include "world/world.h"

struct ContactBody {
    Vector3 position;
    Vector3 motion;  // velocity() scaled by the horizon, exactly as predictContact forms it
    float size = 0.0f;
    float reachX = 0.0f;  // |motion.x| + size: how far along x the body can sweep
    float reachZ = 0.0f;
};

// The body of `e` for contact tests over `horizon` seconds.
inline ContactBody contactBody(const Entity& e, float horizon) {
    ContactBody body;
    body.position = e.position;
    body.motion = e.velocity().scaled(horizon);
    body.size = e.size;
    body.reachX = std::fabs(body.motion.x) + body.size;
    body.reachZ = std::fabs(body.motion.z) + body.size;
    return body;
}

// Same body from a cached sine and cosine of the heading (the entity's speed may have
// changed since the cache was made; its heading may not).
inline ContactBody contactBody(const Entity& e, float sineOfHeading, float cosineOfHeading,
                               float horizon) {
    ContactBody body;
    body.position = e.position;
    body.motion = Vector3(sineOfHeading * e.speed, 0.0f, cosineOfHeading * e.speed).scaled(horizon);
    body.size = e.size;
    body.reachX = std::fabs(body.motion.x) + body.size;
    body.reachZ = std::fabs(body.motion.z) + body.size;
    return body;
}

// True when the gap along x or z is so wide that the two bodies cannot come within
// reach of each other during the horizon, with a wide margin (2 % plus one unit) for
// the rounding of the quadratic. Never true for a pair predictContact would report.
inline bool contactOutOfReach(const ContactBody& a, const ContactBody& b) {
    const float gapX = std::fabs(b.position.x - a.position.x) * 0.98f;
    const float gapZ = std::fabs(b.position.z - a.position.z) * 0.98f;
    return gapX > a.reachX + b.reachX + 1.0f || gapZ > a.reachZ + b.reachZ + 1.0f;
}

// predictContact(a, b, horizon) for the bodies made with that horizon, bit for bit,
// except that a zero horizon must be caught by the caller (its bodies have no motion
// and so give -2 here as well).
inline float contactFraction(const ContactBody& a, const ContactBody& b) {
    if (contactOutOfReach(a, b))
        return -2.0f;
    const Vector3 d = a.position.offsetTo(b.position);
    const Vector3 v = a.motion.offsetTo(b.motion);
    const float r = a.size + b.size;

    double vv = static_cast<double>(v.x) * v.x;
    vv += static_cast<double>(v.y) * v.y;
    vv += static_cast<double>(v.z) * v.z;
    double dv = static_cast<double>(v.x) * d.x;
    dv += static_cast<double>(v.y) * d.y;
    dv += static_cast<double>(v.z) * d.z;
    double dd = static_cast<double>(d.x) * d.x;
    dd += static_cast<double>(d.y) * d.y;
    dd += static_cast<double>(d.z) * d.z;

    const float qa = static_cast<float>(vv);
    const float qb = 2.0f * static_cast<float>(dv);
    const float qc = static_cast<float>(dd) - r * r;
    const float discriminant = qb * qb - 4.0f * qa * qc;
    if (discriminant <= 0.0f)
        return -2.0f;

    const float root = static_cast<float>(std::sqrt(static_cast<double>(discriminant)));
    const float t1 = (-qb + root) / (2.0f * qa);
    const float t2 = (-qb - root) / (2.0f * qa);
    const float t = (t1 > 0.0f && t1 < t2) ? t1 : t2;
    if (t < 0.0f || t > 1.0f)
        return -2.0f;
    return t;
}
