// The world model: vectors, the one global GameState with its fixed entity tables,
// entity motion, tank controls, firing, contact prediction and enemy steering.
//
// Pure simulation: no GL, GLU or GLUT here. What a rule must do outside the game
// (read the clock, switch an explosion's light off, start a sound cue, ask for a
// redisplay, end the process) goes through `platform`, which the application fills
// with real backends and tests fill with recorders.
#pragma once

#include <cstddef>

// ---------------------------------------------------------------------------
// Scalars and vectors (single precision; each function evaluates in double and
// rounds to float once)

constexpr float kDegreesToRadians = 0.017453292f;

float sine(float radians);
float cosine(float radians);
float squareRoot(float value);
float power(float base, float exponent);
float absolute(float value);

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    // Component 1 is x, 2 is y, 3 is z; any other index reads 0 and writes nothing.
    float get(int index) const;
    Vector3 set(int index, float value);
    Vector3 set(float newX, float newY, float newZ);
    Vector3 assign(Vector3 v);

    Vector3 plus(Vector3 v) const;
    // v minus this: the vector from this point to v.
    Vector3 offsetTo(Vector3 v) const;
    Vector3 scaled(float s) const;
    Vector3 divided(float s) const;

    Vector3& scale(float s);
    Vector3& divide(float s);
    Vector3& add(Vector3 v);
    // this minus v.
    Vector3& subtract(Vector3 v);

    float lengthSquared() const;
    float length() const;
    float dot(Vector3 v) const;
};

// ---------------------------------------------------------------------------
// The field and the table capacities

constexpr float kFieldSize = 650.0f;
constexpr int kTankCapacity = 51;
constexpr int kBulletCapacity = 200;
constexpr int kObstacleCapacity = 150;
constexpr int kExplosionCapacity = 51;
constexpr unsigned kParticleCapacity = 20;

// ---------------------------------------------------------------------------
// Records of the entity tables

// Anything standing in the world: tanks, shells, obstacles. Headings are degrees,
// heading 0 faces +z and 90 faces +x; a positive turn rate turns left.
struct Entity {
    float turboCooldown = 0.0f;  // seconds until turbo may start again
    float turboTime = 0.0f;      // seconds of turbo left (top speed 30 instead of 15)
    Vector3 position;            // centre, world units
    Vector3 rotation;            // degrees; x is the heading, kept in (0, 360]
    float speed = 0.0f;          // units per second along the heading
    float turnRate = 0.0f;       // degrees per second, positive turns left
    float size = 1.0f;           // radius of the collision sphere and of the drawn body
    unsigned int texture = 0;    // texture name bound to draw it
    float lifetime = -1.0f;      // seconds left, -1 for unlimited
    float speedDamping = 1.0f;   // fraction of the speed kept per second
    float turnDamping = 1.0f;    // fraction of the turn rate kept per second

    Vector3 getPosition() const { return position; }
    void setPosition(Vector3 p) { position = p; }
    void setPosition(float x, float y, float z) { position = Vector3(x, y, z); }
    Vector3 getRotation() const { return rotation; }
    void setRotation(Vector3 r) { rotation = r; }
    void setRotation(float x, float y, float z) { rotation = Vector3(x, y, z); }
    float getSpeed() const { return speed; }
    void setSpeed(float s) { speed = s; }
    float getTurnRate() const { return turnRate; }
    void setTurnRate(float r) { turnRate = r; }
    float getSize() const { return size; }
    void setSize(float s) { size = s; }
    void setTexture(unsigned int t) { texture = t; }
    float getLifetime() const { return lifetime; }
    void setLifetime(float l) { lifetime = l; }
    void setSpeedDamping(float d) { speedDamping = d; }
    void setTurnDamping(float d) { turnDamping = d; }

    // Moves the entity over dt seconds: turbo timers, turn, damping, heading and field
    // wrap. True when its lifetime ran out in this step; its position is then left
    // where it was.
    bool advance(float dt);
    // (sin h, 0, cos h) times the speed, h the heading.
    Vector3 velocity() const;
};

struct Tank : Entity {
    int score = 0;
    int shotsFired = 0;
    int hits = 0;
    int avoidTurn = 0;        // enemies: +1 swerving right, -1 left, 0 not swerving
    float reloadTime = 0.0f;  // seconds until the tank may fire again

    // One throttle step per call (not per second): forward, or brake and reverse.
    void accelerate();
    void reverse();
    // One steering step per call, limited to 35 degrees per second either way.
    void turnLeft();
    void turnRight();

    // Drawn by the renderer at the wrapped copy nearest the reference, if within 50.
    void draw(Vector3 reference) const;
};

struct Bullet : Entity {
    int owner = 0;  // tank slot that fired it
    void draw(Vector3 reference) const;
};

struct Obstacle : Entity {
    void draw(Vector3 reference) const;
};

// The glBindBufferARB entry point, handed to the explosion draw.
using BindBufferFunction = void (*)(unsigned int target, unsigned int buffer);

// A particle fountain with a coloured point light (light GL_LIGHT1 + light).
struct Explosion {
    float life = 0.0f;               // seconds left; 0 or less is finished
    Vector3 position;                // centre of the burst and of its light
    const Tank* followed = nullptr;  // when set the burst rides 1.2 above this tank
    int light = 0;                   // light slot, fixed when the explosion starts
    float colour[3] = {1.0f, 1.0f, 0.0f};
    float particleGravity = -0.2f;  // units per second squared
    float particleLife = 1.0f;      // mean particle life, seconds
    unsigned particleCapacity = kParticleCapacity;
    unsigned particleCount = kParticleCapacity / 2;  // particles drawn so far
    float emitTimer = 0.0f;                          // seconds since the count last grew
    // Each slot owns its particles: positions relative to `position` with w = 1, so
    // they feed a four-component vertex array directly; velocities with w = 0.
    float particlePositions[kParticleCapacity][4] = {};
    float particleVelocities[kParticleCapacity][4] = {};
    float particleLives[kParticleCapacity] = {};

    // Restarts particle `index` at the centre with a random life and velocity
    // (four draws); nothing while the explosion is finished.
    void emitParticle(unsigned index);
    void restartParticles();
    // Advances by dt seconds; true when the explosion has just finished (its light is
    // then switched off).
    bool update(double dt);
    // Draws the particles and switches the light on (renderer).
    void draw(Vector3 reference, BindBufferFunction bindBuffer) const;
};

enum GamePhase : int { Title = 0, Playing = 1, Defeat = 2, Victory = 3 };

// The ten GL_ARB_vertex_buffer_object entry points, in the order they are fetched.
// Plain C types: GLenum and GLuint are unsigned int, GLsizei and GLint int,
// GLsizeiptrARB and GLintptrARB ptrdiff_t, GLboolean unsigned char.
struct BufferEntryPoints {
    void (*genBuffers)(int n, unsigned int* buffers) = nullptr;
    void (*deleteBuffers)(int n, const unsigned int* buffers) = nullptr;
    unsigned char (*isBuffer)(unsigned int buffer) = nullptr;
    void (*bindBuffer)(unsigned int target, unsigned int buffer) = nullptr;
    void (*bufferData)(unsigned int target, std::ptrdiff_t size, const void* data,
                       unsigned int usage) = nullptr;
    void* (*mapBuffer)(unsigned int target, unsigned int access) = nullptr;
    unsigned char (*unmapBuffer)(unsigned int target) = nullptr;
    void (*getBufferSubData)(unsigned int target, std::ptrdiff_t offset, std::ptrdiff_t size,
                             void* data) = nullptr;
    void (*getBufferParameteriv)(unsigned int target, unsigned int name, int* value) = nullptr;
    void (*getBufferPointerv)(unsigned int target, unsigned int name, void** value) = nullptr;
};

// The whole state of the game, one global record for the whole run. Tables are
// fixed arrays whose fill is the index of their last used slot (-1 when empty);
// slot 0 of the tank table is always the player.
struct GameState {
    int lives = 3;
    int bulletLast = -1;
    int obstacleLast = -1;
    int explosionLast = -1;
    unsigned int terrainBuffer = 1;
    unsigned int groundTexture = 1;
    unsigned int skyTexture = 2;
    unsigned int tankTexture = 3;
    unsigned int bulletTexture = 26;
    unsigned int obstacleTexture = 27;
    unsigned int beginScreenTexture = 4;
    unsigned int deathScreenTexture = 5;
    unsigned int victoryScreenTexture = 6;
    unsigned int digitTextures[10] = {7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    unsigned int minusTexture = 17;
    unsigned int slashTexture = 18;
    unsigned int percentTexture = 19;
    unsigned int decimalPointTexture = 20;
    unsigned int scoreLabelTexture = 21;
    unsigned int livesLabelTexture = 22;
    unsigned int tanksLabelTexture = 23;
    unsigned int levelLabelTexture = 24;
    unsigned int accuracyLabelTexture = 25;
    unsigned int fpsLabelTexture = 28;
    unsigned int turboLabelTexture = 29;
    // The frame clock, in readings of platform.elapsedMilliseconds (only their
    // differences count, modulo 2^32): the previous Playing frame's reading, once one
    // has run, and the reading at which fpsText was last rewritten.
    bool frameClockStarted = false;
    unsigned int previousFrameClock = 0;
    unsigned int fpsUpdateClock = 0;
    char fpsText[16] = {};
    unsigned char keyDown[256] = {};
    // Taps between two frames: keys pressed since the last frame began (no frame has
    // read them yet), and keys already released among them, let go after one frame.
    unsigned char keyUnread[256] = {};
    unsigned char keyReleaseDue[256] = {};
    int terrainStripLength = 0;
    GamePhase phase = Title;
    int tankLast = 0;
    unsigned int level = 0;
    BufferEntryPoints bufferEntryPoints;
    // Constructed slot by slot before main, tanks first, then shells, obstacles and
    // explosions.
    Tank tanks[kTankCapacity];
    Bullet bullets[kBulletCapacity];
    Obstacle obstacles[kObstacleCapacity];
    Explosion explosions[kExplosionCapacity];
};

extern GameState game;

// ---------------------------------------------------------------------------
// Firing and contact prediction

enum FireResult : int { Fired = 0, TableFull = 1, Reloading = 2, NoTank = 3 };

// Launches a shell one unit ahead of tank `tankIndex` at its speed + 35 for 1.5 s,
// charging 5 points and a 0.5 s reload. A full table is reported before the reload;
// a slot outside 0 to tankLast fires nothing and gives NoTank.
FireResult fireShell(int tankIndex);

// Fraction of `horizon` seconds in [0, 1] at which the spheres of a and b, moving
// straight at their present velocities, first touch; -2 when they do not (also for
// horizon 0 and for bodies that already overlap). Symmetric in a and b.
float predictContact(Entity a, Entity b, float horizon);

// Drives enemy `tankIndex` for one frame of dt seconds: one random draw, one throttle
// step, a look-ahead over obstacles (4 s) and tanks (2 s), then wander, swerve or fire.
void steerEnemy(int tankIndex, float dt);
// steerEnemy for every enemy, 1 to tankLast in order, sharing one look-ahead set-up.
void steerEnemies(float dt);

// ---------------------------------------------------------------------------
// Randomness: one 15-bit generator with srand/rand semantics. Every draw of the game
// goes through it, so a test can seed it and count the draws.

constexpr int kRandomMax = 32767;
void seedRandom(unsigned int seed);
int nextRandom();                      // 0 to 32767
unsigned long long randomDrawCount();  // draws made since start (for tests)

// ---------------------------------------------------------------------------
// The platform seen from the rules. Every hook has a harmless default, so the
// simulation runs headless; the application installs the real ones at start-up.

struct PlatformHooks {
    int (*elapsedMilliseconds)();             // milliseconds since start-up, may wrap
    long long (*calendarSeconds)();           // seconds since the epoch, for level seeds
    void (*switchLightOff)(int light);        // GL_LIGHT1 + light off
    void (*playSound)(const char* fileName);  // start a cue, replacing one playing
    void (*postRedisplay)();                  // ask for the next display call
    void (*exitProcess)(int status);          // end the game
    bool (*keyboardFocusElsewhere)();         // the window is without the keyboard focus
};

extern PlatformHooks platform;
