#include "file/ParticleBlock.h"

#include "base/Errors.h"
#include "file/ExtensionBlock.h"
#include "file/StreamFormat.h"
#include "file/ValueReader.h"
#include "file/ValueWriter.h"

#include <QByteArray>

#include <cmath>
#include <initializer_list>

namespace {

// Longest block that is read at all: every particle and the note at their largest, with
// room for the value stream's tags.
constexpr int32_t kMaxBlockBytes = 64 + kMaxParticles * 128 + kMaxNoteBytes;

bool Finite(std::initializer_list<long double> values) {
  for (const long double value : values)
    if (!std::isfinite(value))
      return false;
  return true;
}

bool Valid(const TParticle &particle) {
  return Finite(
             {particle.Mass, particle.Charge, particle.X, particle.Y, particle.VX, particle.VY}) &&
         particle.Mass > 0 && static_cast<int>(particle.Kind) < kParticleKindCount &&
         particle.ChargeUnit <= 1;
}

bool Valid(const TParticleGoal &goal) {
  return Finite({goal.Left, goal.Bottom, goal.Right, goal.Top, goal.ChargeBudget}) &&
         goal.ChargeBudget >= 0 &&
         (!goal.Active || (goal.Left < goal.Right && goal.Bottom < goal.Top));
}

void Require(bool valid) {
  if (!valid)
    throw EPropertyError(PropertyErrorText());
}

TParticle ReadParticle(TValueReader &block) {
  TParticle particle;
  const int32_t kind = block.ReadInteger();
  Require(kind >= 0 && kind < kParticleKindCount);
  particle.Kind = static_cast<TParticleKind>(kind);
  particle.Mass = block.ReadFloat();
  particle.Charge = block.ReadFloat();
  const int32_t unit = block.ReadInteger();
  Require(unit == 0 || unit == 1);
  particle.ChargeUnit = static_cast<uint8_t>(unit);
  particle.X = block.ReadFloat();
  particle.Y = block.ReadFloat();
  particle.VX = block.ReadFloat();
  particle.VY = block.ReadFloat();
  Require(Valid(particle));
  return particle;
}

void ReadContent(TValueReader &block, TParticleContent &content) {
  const int32_t count = block.ReadInteger();
  Require(count >= 0 && count <= kMaxParticles);
  for (int32_t i = 0; i < count; ++i)
    content.Particles.push_back(ReadParticle(block));
  TParticleGoal &goal = content.Setup.Goal;
  goal.Active = block.ReadBoolean();
  goal.Left = block.ReadFloat();
  goal.Bottom = block.ReadFloat();
  goal.Right = block.ReadFloat();
  goal.Top = block.ReadFloat();
  goal.ChargeBudget = block.ReadFloat();
  Require(Valid(goal));
  const int32_t noteBytes = block.ReadInteger();
  Require(noteBytes >= 0 && noteBytes <= kMaxNoteBytes);
  const QByteArray note = block.ReadRawBytes(noteBytes);
  content.Setup.Note.assign(note.constData(), static_cast<size_t>(note.size()));
}

} // namespace

void WriteParticleBlock(TValueWriter &writer, const TParticleContent &content) {
  if (content.Empty())
    return;
  WriteExtensionBlock(writer, kParticleBlockVersion, [&content](TValueWriter &block) {
    block.WriteInteger(static_cast<int64_t>(content.Particles.size()));
    for (const TParticle &particle : content.Particles) {
      block.WriteInteger(static_cast<int32_t>(particle.Kind));
      block.WriteFloat(particle.Mass);
      block.WriteFloat(particle.Charge);
      block.WriteInteger(particle.ChargeUnit);
      block.WriteFloat(particle.X);
      block.WriteFloat(particle.Y);
      block.WriteFloat(particle.VX);
      block.WriteFloat(particle.VY);
    }
    const TParticleGoal &goal = content.Setup.Goal;
    block.WriteBoolean(goal.Active);
    for (const long double value :
         {goal.Left, goal.Bottom, goal.Right, goal.Top, goal.ChargeBudget})
      block.WriteFloat(value);
    const std::string &note = content.Setup.Note;
    block.WriteInteger(static_cast<int64_t>(note.size()));
    block.WriteRawBytes(QByteArray(note.data(), static_cast<qsizetype>(note.size())));
  });
}

void ReadParticleBlock(TValueReader &reader, TParticleContent &content) {
  content = {};
  TParticleContent read;
  if (ReadExtensionBlock(reader, kParticleBlockVersion, kMaxBlockBytes,
                         [&read](TValueReader &block) { ReadContent(block, read); }))
    content = std::move(read);
}
