// Batch contact prediction for the frame update and the enemies' look-ahead.
//
// predictContact makes both bodies from sine and cosine on every call and solves. The
// frame update and the enemies make each entity's body (its motion over the horizon)
// once and solve pair by pair with the same arithmetic, so both give the same bits. A
// conservative test on the x and z gaps rejects pairs that cannot meet before any of
// that arithmetic runs.
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
    const Vector3 velocity = e.velocity();
    body.motion = Vector3(velocity.x * horizon, velocity.y * horizon, velocity.z * horizon);
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
    body.motion = Vector3(sineOfHeading * e.speed * horizon, 0.0f * horizon,
                          cosineOfHeading * e.speed * horizon);
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

// predictContact's quadratic on two bodies, without the reach test: d is b's position
// less a's, v b's motion less a's, the dot products summed in double as Vector3::dot
// does.
inline float solveContact(const ContactBody& a, const ContactBody& b) {
    const float dx = b.position.x - a.position.x;
    const float dy = b.position.y - a.position.y;
    const float dz = b.position.z - a.position.z;
    const float vx = b.motion.x - a.motion.x;
    const float vy = b.motion.y - a.motion.y;
    const float vz = b.motion.z - a.motion.z;
    const float r = a.size + b.size;

    double vv = static_cast<double>(vx) * vx;
    vv += static_cast<double>(vy) * vy;
    vv += static_cast<double>(vz) * vz;
    double dv = static_cast<double>(vx) * dx;
    dv += static_cast<double>(vy) * dy;
    dv += static_cast<double>(vz) * dz;
    double dd = static_cast<double>(dx) * dx;
    dd += static_cast<double>(dy) * dy;
    dd += static_cast<double>(dz) * dz;

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

// predictContact(a, b, horizon) for the bodies made with that horizon, bit for bit
// (a zero horizon gives bodies without motion, hence -2, as predictContact does).
inline float contactFraction(const ContactBody& a, const ContactBody& b) {
    return contactOutOfReach(a, b) ? -2.0f : solveContact(a, b);
}
