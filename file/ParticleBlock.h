#pragma once
// The third extension block of a project file: the particles, the goal and the note. It
// follows the field-line block (file/FieldLineBlock.h), which is then always written, with
// the potential block before it, so that a reader knows which block it reads. Layout: an
// integer length n, then n bytes of value stream: an integer version, and for version 1 the
// number of particles, each as kind, mass (kg), charge (C), unit, x, y (m), vx, vy (m/s); the
// goal as a boolean and left, bottom, right, top (m) and the charge budget (C); the note as
// an integer count of UTF-8 bytes and the bytes.

#include "model/Particle.h"

#include <cstdint>
#include <vector>

class TValueReader;
class TValueWriter;

inline constexpr int32_t kParticleBlockVersion = 1;
// The most particles and note bytes a file may hold; beyond them the block is damaged.
inline constexpr int32_t kMaxParticles = 1000;
inline constexpr int32_t kMaxNoteBytes = 4096;

struct TParticleContent {
  std::vector<TParticle> Particles;
  TParticleSetup Setup;
  bool Empty() const { return Particles.empty() && Setup == TParticleSetup{}; }
  friend bool operator==(const TParticleContent &, const TParticleContent &) = default;
};

// Writes the block unless content is empty; the field-line block must be written before it.
void WriteParticleBlock(TValueWriter &writer, const TParticleContent &content);

// Reads the block that follows the field-line block; content is empty when the file ends
// there, when the bytes there are no block, and for a block of another version, which is
// skipped by its length. A version 1 block with a value no particle, goal or note can have
// (a mass that is not positive, a number that is not finite, an unknown kind or unit, more
// than kMaxParticles or a note beyond kMaxNoteBytes) throws EPropertyError.
void ReadParticleBlock(TValueReader &reader, TParticleContent &content);
