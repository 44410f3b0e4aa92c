#include <cmath>

#include "world/contact.h"
#include "world/world.h"

namespace {

// Brings a coordinate into [0, 650). One correction suffices for an ordinary step; a
// step longer than the field (a long pause carried into one frame) takes the exact
// remainder instead.
float wrapCoordinate(float value) {
    float wrapped = value;
    if (wrapped >= kFieldSize) {
        wrapped -= kFieldSize;
    } else if (wrapped < 0.0f) {
        wrapped += kFieldSize;
    }
    if (!(wrapped >= 0.0f && wrapped < kFieldSize)) {
        wrapped = std::fmod(value, kFieldSize);
        if (wrapped < 0.0f)
            wrapped += kFieldSize;
    }
    // A tiny negative value rounds up to the far edge itself, which is the near one.
    if (wrapped >= kFieldSize)
        wrapped = 0.0f;
    return wrapped;
}

// Keeps a heading in (0, 360]: exactly 0 becomes 360, exactly 360 stays. One turn of
// correction for an ordinary step, the exact remainder after several turns.
float wrapHeading(float heading) {
    float wrapped = heading;
    if (wrapped > 360.0f)
        wrapped -= 360.0f;
    if (wrapped <= 0.0f)
        wrapped += 360.0f;
    if (!(wrapped > 0.0f && wrapped <= 360.0f)) {
        wrapped = std::fmod(heading, 360.0f);
        if (wrapped <= 0.0f)
            wrapped += 360.0f;
    }
    return wrapped;
}

float countDown(float timer, float dt) {
    return dt < timer ? timer - dt : 0.0f;
}

float topForwardSpeed(const Tank& tank) {
    return tank.turboTime > 0.0f ? 30.0f : 15.0f;
}

}  // namespace

bool Entity::advance(float dt) {
    const float x = position.x;
    const float z = position.z;

    turboCooldown = countDown(turboCooldown, dt);
    turboTime = countDown(turboTime, dt);

    float heading = rotation.x + turnRate * dt;
    turnRate = turnRate * power(turnDamping, dt);
    if (absolute(turnRate) < 0.1f)
        turnRate = 0.0f;
    heading = wrapHeading(heading);
    rotation.x = heading;

    const float radians = heading * kDegreesToRadians;
    const float distance = speed * dt;
    float newX = x + sine(radians) * distance;
    float newZ = z + cosine(radians) * distance;
    speed = speed * power(speedDamping, dt);
    if (absolute(speed) < 0.1f)
        speed = 0.0f;
    newX = wrapCoordinate(newX);
    newZ = wrapCoordinate(newZ);

    if (lifetime != -1.0f) {
        if (dt < lifetime) {
            lifetime -= dt;
        } else {
            return true;
        }
    }
    position.x = newX;
    position.z = newZ;
    return false;
}

Vector3 Entity::velocity() const {
    const float radians = rotation.x * kDegreesToRadians;
    return Vector3(sine(radians) * speed, 0.0f, cosine(radians) * speed);
}

void Tank::accelerate() {
    const float top = topForwardSpeed(*this);
    if (speed > 0.0f) {
        speed *= 1.2f;
    } else if (speed < 0.0f) {
        speed *= 0.8f;
    } else {
        speed = 0.2f;
    }
    if (absolute(speed) < 0.2f)
        speed = 0.0f;
    if (speed > top)
        speed = 0.8f * speed > top ? 0.8f * speed : top;
    if (speed < -2.5f)
        speed = 0.8f * speed < -2.5f ? 0.8f * speed : -2.5f;
}

void Tank::reverse() {
    const float top = topForwardSpeed(*this);
    if (speed < 0.0f) {
        speed *= 1.2f;
    } else if (speed > 0.0f) {
        speed *= 0.8f;
    } else {
        speed = -0.2f;
    }
    if (absolute(speed) < 0.2f)
        speed = 0.0f;
    if (speed > top)
        speed = top;
    if (speed < -2.5f)
        speed = -2.5f;
}

namespace {

void limitTurnRate(float& turnRate) {
    if (absolute(turnRate) < 0.2f)
        turnRate = 0.0f;
    if (turnRate > 35.0f)
        turnRate = 35.0f;
    if (turnRate < -35.0f)
        turnRate = -35.0f;
}

}  // namespace

void Tank::turnLeft() {
    if (turnRate > 0.0f) {
        turnRate *= 1.3f;
    } else if (turnRate < 0.0f) {
        turnRate *= 0.7f;
    } else {
        turnRate = 1.0f;
    }
    limitTurnRate(turnRate);
}

void Tank::turnRight() {
    if (turnRate < 0.0f) {
        turnRate *= 1.3f;
    } else if (turnRate > 0.0f) {
        turnRate *= 0.7f;
    } else {
        turnRate = -1.0f;
    }
    limitTurnRate(turnRate);
}

FireResult fireShell(int tankIndex) {
    if (tankIndex < 0 || tankIndex > game.tankLast)
        return NoTank;
    Tank& tank = game.tanks[tankIndex];
    game.bulletLast += 1;
    if (game.bulletLast >= kBulletCapacity) {
        game.bulletLast -= 1;
        return TableFull;
    }
    if (tank.reloadTime > 0.0f) {
        game.bulletLast -= 1;
        return Reloading;
    }
    tank.reloadTime = 0.5f;

    Bullet& shell = game.bullets[game.bulletLast];
    shell.owner = tankIndex;
    shell.position = tank.position;
    shell.rotation = tank.rotation;
    // One unit ahead along the heading, as one second of motion at speed 1 would.
    const float heading = wrapHeading(shell.rotation.x);
    const float radians = heading * kDegreesToRadians;
    shell.rotation.x = heading;
    shell.position.x = wrapCoordinate(shell.position.x + sine(radians) * 1.0f);
    shell.position.z = wrapCoordinate(shell.position.z + cosine(radians) * 1.0f);
    shell.speed = tank.speed + 35.0f;
    shell.lifetime = 1.5f;
    shell.size = 0.1f;

    tank.shotsFired += 1;
    tank.score -= 5;
    return Fired;
}

float predictContact(Entity a, Entity b, float horizon) {
    if (horizon == 0.0f)
        return -2.0f;
    return solveContact(contactBody(a, horizon), contactBody(b, horizon));
}
