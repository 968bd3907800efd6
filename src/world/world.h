#pragma once
// The world: everything the game reads and writes from one frame to the next, as one value. Starting
// the program is its default; a snapshot is a copy of it. Each subsystem keeps its part here, under the
// name it has always had (W.Level.LevelClock, W.EnemyPool), so searching a name finds every use.
#include <array>
#include <cstdint>
#include <type_traits>

#include "world/entities.h"
#include "world/front_end.h"
#include "world/vars.h"

// Where the playfield and the upright front end are seen from.
struct CameraState {
    float eyeX, eyeY, eyeZ;
    float targetX, targetY;
};

// How often each effect number (1..13) and each named effect was asked for; for the headless runner.
struct SoundCounts {
    std::array<uint32_t, 14> effect;
    uint32_t explosion, shot, warning;
};

// What only the pictures show: the cameras, the background's motion, the HUD's blinks and fades, the
// thrusters' flicker. Moved on every frame, paused or not; the state hash leaves it out, as a pause
// changes it and nothing else.
struct PresentationVars {
    std::array<int32_t, 2> FlamePhase;        // the thrusters' flicker
    std::array<int32_t, 2> FlameBrightness;
    int32_t ShakeAmount;
    CameraState PlayfieldCamera;
    CameraState UprightCamera560, UprightCamera550;  // always upright: the front end stays readable
    float PlayfieldScroll;
    std::array<float, 4> WavePhase;
    int32_t ShieldRotation;
    int32_t WaveFlashRequest;  // 1: the wave bands flash red once
    int32_t WaveR, WaveG, WaveB;
    int32_t HudBlink;   // 0..16
    int32_t TitleFade;  // 0..255, the level title's brightness
    int32_t BarBlink;   // 0..5
    float BarOffset;    // the boss bar's slide; its hidden value keeps it out of the way
    float ArrowWobble;       // 0..3, the resolution arrows' sway
    int32_t MenuPulseAngle;  // 0..179
    int32_t MenuPulse;       // 6..252, the highlight's grey level
    std::array<float, 3> CreditsTargetA, CreditsTargetB;
    std::array<float, 3> CreditsJitterA, CreditsJitterB;
    float gridOffsetX, gridOffsetY;  // the title's grid drifting
    std::array<float, 3> logoPhase;
    int32_t studioFrame;
    int32_t studioInterval = 64;
    int32_t studioBrightness;
    int32_t studioShown;  // the studio logo is drawn this frame
};

struct World {
    // Kept in quivex.cfg, the whole run of the program, one game, the running level.
    SavedVars Saved;
    ProgramVars Program;
    HostVars Host;
    GameVars Game;
    LevelVars Level;
    std::array<int32_t, kBindingSlots> PendingBindings;  // the copy the redefine-input page edits

    // The pools. A cursor is the slot of the last search: -1 at start-up, kept between games.
    std::array<Enemy, kEnemyPoolSize> EnemyPool;
    int32_t EnemyCursor = -1;
    std::array<EnemyBullet, kEnemyBulletCount> EnemyBullets;
    int32_t BulletCursor = -1;
    std::array<PlayerShot, kPlayerShotPool> PlayerShots;
    int32_t ShotCursor = -1;
    int32_t EnemiesKilled;  // since start-up; an enemy hit again after its destruction counts once
    std::array<Pickup, kPickupPool> Pickups;
    int32_t PickupCursor = -1;
    std::array<int32_t, 4> PickupWobble;  // angles of the energy halos' wobble, shared by every pickup

    // The ship.
    Enemy PlayerShip;             // x, y, active (the ship is alive) and three Polys
    int32_t RespawnPending;       // the ship's last shard has faded; until the end of the grace period
    int32_t Invulnerable;         // during the grace period
    int32_t RespawnTimer;         // 0..168
    int32_t TrackedShard = -1;    // last debris shard of the ship's explosion, -1 = none
    int32_t VerticalMove;         // 0 none, 1 up, 2 down this frame (lights the thrusters)
    int32_t ShieldTimer;          // frames of shield left; 0 = down
    int32_t ShieldHits;
    int32_t FireLatch;            // a volley has been asked for and is in progress
    int32_t MainGunTimer, SideGunTimer, RearGunTimer;
    int32_t BossSpawnPending;     // the boss is due but the enemy pool was full: tried again each frame

    // Effects.
    std::array<Shard, kShardPool> Shards;
    std::array<Spark, kSparkPool> Sparks;
    std::array<Glow, kGlowPool> Glows;
    int32_t ShardCursor = -1, SparkCursor = -1, GlowCursor = -1;
    float LastShipX, LastShipY;  // where the ship was when the glows last moved: they drift with it

    PresentationVars Presentation;

    // The front end.
    int32_t EscapeLatch, MenuKeyLatch, PauseLatch, CaptureArmed;  // keys held since they last acted
    int32_t CaptureTarget;  // redefine row 0..6 being captured
    int32_t MenuPage;
    std::array<MenuItem, kMenuItems> MenuItems;
    int32_t MenuItemCount;
    int32_t MenuCursor;
    MissionReportState Report;
    int32_t PilotRank;  // index of the rating title
    int32_t WarningPulseAngle, WarningPulse;  // 0..179, 6..122
    int32_t StatusPulseAngle, StatusPulse;    // the rating screen's own pulse

    // Sound.
    int32_t MusicFadeLevel = 255;  // 255 = no fade; 254..1 = the volume being applied
    int32_t MusicTrack = -1;       // the track last started and not stopped since, or -1
    SoundCounts SoundsPlayed;
};

static_assert(std::is_trivially_copyable_v<World>, "a snapshot of the world is a copy of its bytes");

extern World W;

// The world back to its start-up value.
void ResetWorld();
