// Charges through the clipboard's bytes: exact round trips, refused damage, and their place
// in another view.
#include "model/DocumentFixture.h"

#include "model/ChargeTransfer.h"

#include <cfloat>
#include <cmath>

namespace {

TEST(ChargeTransferTest, BytesGiveBackEveryValueExactly) {
  const std::vector<TTransferredCharge> charges = {
      {-0.1L / 3, 1e-300L, -kElementaryCharge, 0, 16, false},
      {LDBL_MAX / 2, -LDBL_MIN, 1.0L / 7, 1, 4294967295u, true},
      {0, -0.0L, 0, 0, 0, false}};
  const std::optional<std::vector<TTransferredCharge>> back = DecodeCharges(EncodeCharges(charges));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, charges);
  EXPECT_TRUE(std::signbit((*back)[2].Y));
}

TEST(ChargeTransferTest, AnythingButOurWholeFormatIsRefused) {
  const char *const refused[] = {
      "",
      "Kraftbild-Ladungen 1\n",                       // no charge
      "Kraftbild-Ladungen 2\n0 0 1 0 16 0\n",         // a version we do not know
      "Kraftbild-Ladungen 1\n0 0 1 0 16 0",           // cut in its last line
      "Kraftbild-Ladungen 1\n0 0 1 0 16\n",           // a number missing
      "Kraftbild-Ladungen 1\n0 0 1 0 16 0 7\n",       // one too many
      "Kraftbild-Ladungen 1\n0 0 1 2 16 0\n",         // a unit we do not know
      "Kraftbild-Ladungen 1\n0 0 1 0 16 2\n",         // a flag that is no flag
      "Kraftbild-Ladungen 1\n0 0 1 0 -1 0\n",         // negative field lines
      "Kraftbild-Ladungen 1\n0 0 1 0 4294967296 0\n", // beyond 32 bits
      "Kraftbild-Ladungen 1\n0,5 0 1 0 16 0\n",       // a German comma
      "Kraftbild-Ladungen 1\n0 inf 1 0 16 0\n",
      "Kraftbild-Ladungen 1\n0 0 nan 0 16 0\n",
      "Kraftbild-Ladungen 1\n0 0 1 0 16 0\n\n",     // an empty line
      "x = 0 m; y = 0 m; Q = 1 e; 16 Feldlinien\n", // the text form
  };
  for (const char *bytes : refused)
    EXPECT_FALSE(DecodeCharges(QByteArray(bytes))) << bytes;
}

class ChargePlacementTest : public DocumentTest {};

TEST_F(ChargePlacementTest, AnotherViewPutsThemAtTheirMetresOrTheirBoxAtTheMouse) {
  AddCharge(100, 50, kElementaryCharge);
  AddCharge(300, 250, -kElementaryCharge);
  const std::vector<TTransferredCharge> copied = TransferredCharges(scene, {0, 1});

  // Another program: its origin elsewhere, at 200 %.
  TScene other;
  other.Origin = {10, 700};
  other.PixelsPerMetre = 2 * scene.PixelsPerMetre;
  const std::vector<TPointCharge> placed = PlacedCharges(other, copied, std::nullopt, 0);
  ASSERT_EQ(placed.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const TWorldPoint was = scene.ChargeWorldPosition(scene.Charges[i]);
    const TWorldPoint now = other.ChargeWorldPosition(placed[static_cast<size_t>(i)]);
    EXPECT_NEAR(static_cast<double>(now.X), static_cast<double>(was.X), 1e-12) << i;
    EXPECT_NEAR(static_cast<double>(now.Y), static_cast<double>(was.Y), 1e-12) << i;
    EXPECT_EQ(placed[static_cast<size_t>(i)].ChargeValue, scene.Charges[i].ChargeValue);
  }

  // At the mouse: the box of their centres (400 by 400 px at 200 %) is centred there.
  const std::vector<TPointCharge> atMouse = PlacedCharges(other, copied, TPoint{50, 60}, 0);
  EXPECT_NEAR(static_cast<double>(atMouse[0].CenterX()), -150, 1e-9);
  EXPECT_NEAR(static_cast<double>(atMouse[0].CenterY()), -140, 1e-9);
  EXPECT_NEAR(static_cast<double>(atMouse[1].CenterX()), 250, 1e-9);
  EXPECT_NEAR(static_cast<double>(atMouse[1].CenterY()), 260, 1e-9);

  // Metres far beyond what the view can hold: nothing is placed.
  const std::vector<TTransferredCharge> far = {{1e30L, 0, 1, 0, 16, false}};
  EXPECT_TRUE(PlacedCharges(other, far, std::nullopt, 0).empty());
}

} // namespace
