// The about dialog: colour blending, the painted header, caption and links, closing keys, and
// the message font given to the windows open at its creation.
#include "widgets/InfoDlg.h"
#include "support/FakeDialogs.h"
#include "support/PixelTesting.h"
#include "widgets/Artwork.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kW = 435;
constexpr int kH = 65;
constexpr TColor kFace = 0xF0F0F0;
constexpr TColor kIconColor = 0x123456;

TEST(BlendColorTest, BlendsEachByteTruncatingTowardsZero) {
  const struct {
    TColor C1, C2;
    int32_t Pos, Max;
    TColor Result;
  } cases[] = {
      {0xFFA04A, 0xFFFFFF, 0, 326, 0xFFA04A},
      {0xFFA04A, 0xFFFFFF, 326, 326, 0xFFFFFF},
      {0xFFFFFF, 0xFFA04A, 108, 109, 0xFFA14C}, // 255 - 19548/109 = 76, 255 - 10260/109 = 161
      {0x000010, 0x000000, 1, 3, 0x00000B},     // 16 - 16/3: 11, not 10
      {0x102030, 0x302010, 1, 2, 0x202020},
      {0x0000FF, 0x000000, 3, 2, 0x000000}, // beyond Max: clamped, not wrapped
      {0x123456, 0x654321, 5, 0, 0x654321}, // no divisor: the second colour
  };
  for (const auto &c : cases)
    EXPECT_EQ(Rgb{BlendColor(c.C1, c.C2, c.Pos, c.Max)}, Rgb{c.Result}) << c.Pos << "/" << c.Max;
}

// A logo whose neighbouring pixels differ in every byte, so that any other combination shows.
QImage PatternLogo() {
  QImage logo(142, 63, QImage::Format_RGB32);
  for (int y = 0; y < logo.height(); ++y)
    for (int x = 0; x < logo.width(); ++x)
      logo.setPixel(x, y, ToQRgb((static_cast<TColor>(x) * 2654435761u ^ y * 40503u) & 0xFFFFFFu));
  return logo;
}

TInfoHeader SampleHeader() {
  TInfoHeader header;
  header.AppTitle = QStringLiteral("Das Kraftbild");
  header.DevTime = QStringLiteral("2005");
  header.Version = QStringLiteral("1.0.0.0");
  header.Icon = QImage(32, 32, QImage::Format_RGB32);
  header.Icon.fill(ToQRgb(kIconColor));
  header.Logo = PatternLogo();
  header.Face = kFace;
  header.Font.Size = 8;
  return header;
}

QImage Paint(const TInfoHeader &header) {
  QImage image = WhiteImage(kW, kH);
  PaintInfoHeader(image, header);
  return image;
}

TColor Gradient(int x) {
  return x <= 326 ? BlendColor(HeaderBlue, 0xFFFFFF, x, 326)
                  : BlendColor(0xFFFFFF, HeaderBlue, x - 326, 109);
}

TEST(InfoHeaderTest, GradientRunsBlueToWhiteAndBack) {
  const QImage image = Paint(SampleHeader());
  EXPECT_EQ(PixelAt(image, 0, 0), Rgb{0xFFA04A});
  EXPECT_EQ(PixelAt(image, 326, 0), Rgb{0xFFFFFF});
  EXPECT_EQ(PixelAt(image, 434, 0), Rgb{BlendColor(0xFFFFFF, 0xFFA04A, 108, 109)});
  // Above icon and logo every column is pure gradient, full height at the right edge.
  for (int x = 0; x < kW; ++x)
    for (int y = 0; y < 4; ++y)
      ASSERT_EQ(PixelAt(image, x, y), Rgb{Gradient(x)}) << x;
  for (int y = 0; y < kH; ++y) {
    ASSERT_EQ(PixelAt(image, 0, y), Rgb{0xFFA04A}) << y;
    ASSERT_EQ(PixelAt(image, 434, y), Rgb{Gradient(434)}) << y;
  }
}

TEST(InfoHeaderTest, LogoIsCombinedByAndAndClippedAtTheBottom) {
  const TInfoHeader header = SampleHeader();
  const QImage image = Paint(header);
  // Left edge 326 - 71 = 255, top 4; rows below 64 fall off the header.
  for (int y = 4; y < kH; ++y)
    for (int x = 255; x < 255 + 142; ++x) {
      const TColor logo = FromQRgb(header.Logo.pixel(x - 255, y - 4));
      ASSERT_EQ(PixelAt(image, x, y), Rgb{Gradient(x) & logo}) << x << "," << y;
    }
  EXPECT_EQ(PixelAt(image, 254, 10), Rgb{Gradient(254)});
  EXPECT_EQ(PixelAt(image, 397, 10), Rgb{Gradient(397)});
}

TEST(InfoHeaderTest, IconSitsInAFrameOfTheFaceColour) {
  const QImage image = Paint(SampleHeader());
  // Icon at (8, 16); frame over columns 7..39 and rows 15..47.
  EXPECT_EQ(PixelAt(image, 20, 30), Rgb{kIconColor});
  EXPECT_EQ(PixelAt(image, 38, 46), Rgb{kIconColor});
  for (const auto &[x, y] : {std::pair{7, 30}, {39, 30}, {20, 15}, {20, 47}, {7, 15}, {39, 47}})
    EXPECT_EQ(PixelAt(image, x, y), Rgb{kFace}) << x << "," << y;
  EXPECT_EQ(PixelAt(image, 6, 30), Rgb{Gradient(6)});
  EXPECT_EQ(PixelAt(image, 40, 30), Rgb{Gradient(40)});
}

// The rows and columns where two header images differ.
PixelBox DifferenceBox(const QImage &a, const QImage &b) {
  QImage mask = WhiteImage(a.width(), a.height());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        mask.setPixel(x, y, ToQRgb(0));
  return ChangedBox(mask, 0xFFFFFF);
}

TEST(InfoHeaderTest, TitleIsTheBoldLineAboveTheMiddle) {
  TInfoHeader header = SampleHeader();
  const QImage base = Paint(header);
  TCanvas measure;
  measure.Font = header.Font;
  measure.Font.Style = fsBold;
  const int boldHeight = measure.TextHeight(header.AppTitle);
  header.AppTitle = QStringLiteral("Ein anderer Titel");
  const PixelBox title = DifferenceBox(base, Paint(header));
  EXPECT_GE(title.Left, 48); // icon width + 16
  EXPECT_GE(title.Top, 32 - boldHeight * 3 / 2);
  EXPECT_LT(title.Bottom, 32 - boldHeight * 3 / 2 + boldHeight);
}

class InfoDlgTest : public ::testing::Test {
protected:
  void SetUp() override { dialogs = &FakeDialogs::Install(); }
  void TearDown() override { FakeDialogs::Restore(); }

  std::vector<QString> ShellCalls() const {
    std::vector<QString> targets;
    for (const FakeDialogs::Shown &s : dialogs->Calls)
      if (s.Kind == u"shell")
        targets.push_back(s.Text);
    return targets;
  }

  FakeDialogs *dialogs = nullptr;
};

TEST_F(InfoDlgTest, CaptionAndMailSubjectFollowTheLastTitle) {
  TInfo info;
  // No addresses of its own: no links to see or click.
  info.show();
  EXPECT_FALSE(info.EMailLbl()->isVisible());
  EXPECT_FALSE(info.URLLbl()->isVisible());
  info.hide();
  info.SetLinks(QStringLiteral("kontakt@kraftbild.example"),
                QStringLiteral("https://kraftbild.example"));
  info.SetInfo(QStringLiteral("Das Kraftbild"), QStringLiteral("2005"), QIcon());
  EXPECT_EQ(info.windowTitle(), QStringLiteral("Info über Das Kraftbild"));
  const QImage first = info.HeaderImage();
  info.SetInfo(QStringLiteral("Feldlinien"), QStringLiteral("2005"), QIcon());
  EXPECT_EQ(info.windowTitle(), QStringLiteral("Info über Feldlinien"));
  EXPECT_NE(first, info.HeaderImage());

  QTest::mouseClick(info.EMailLbl(), Qt::LeftButton);
  QTest::mouseClick(info.URLLbl(), Qt::LeftButton);
  EXPECT_EQ(
      ShellCalls(),
      (std::vector<QString>{
          QStringLiteral("\"mailto:kontakt@kraftbild.example?subject=Anwendung: Feldlinien\""),
          QStringLiteral("https://kraftbild.example")}));
  EXPECT_EQ(info.URLLbl()->text(), QStringLiteral("kraftbild.example"));
  EXPECT_EQ(GetFileVersion(), QStringLiteral("1.0.0.0")); // the build's version reaches the header
}

TEST_F(InfoDlgTest, LinksTurnRedWhilePressedAndUnderlineWhileHovered) {
  TInfo info;
  info.SetLinks(QStringLiteral("kontakt@kraftbild.example"), QString());
  QLabel *link = info.EMailLbl();
  auto color = [link] { return FromQRgb(link->palette().color(QPalette::WindowText).rgb()); };
  EXPECT_EQ(Rgb{color()}, Rgb{0xFF0000});

  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(link, &enter);
  EXPECT_TRUE(link->font().underline());
  QTest::mousePress(link, Qt::RightButton);
  EXPECT_EQ(Rgb{color()}, Rgb{0x0000FF});
  QTest::mouseRelease(link, Qt::RightButton);
  EXPECT_EQ(Rgb{color()}, Rgb{0xFF0000});
  QTest::mousePress(link, Qt::LeftButton);
  EXPECT_EQ(Rgb{color()}, Rgb{0x0000FF});
  QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5)); // released off the label
  EXPECT_EQ(Rgb{color()}, Rgb{0xFF0000});
  EXPECT_TRUE(ShellCalls().empty()); // neither the right button nor a release outside opens
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(link, &leave);
  EXPECT_FALSE(link->font().underline());
  EXPECT_EQ(link->font().family(), info.font().family()); // the face still follows the dialog
}

TEST_F(InfoDlgTest, LabelsKeepTheirRightEdgeAtColumn430) {
  TInfo info;
  info.SetLinks(QStringLiteral("kontakt@kraftbild.example"),
                QStringLiteral("https://kraftbild.example"));
  info.show();
  for (QLabel *label : {info.InfoLbl(), info.EMailLbl(), info.URLLbl()})
    EXPECT_EQ(label->x() + label->width(), 430) << label->text().toStdString();
  EXPECT_EQ(PixelAt(info.grab().toImage().convertToFormat(QImage::Format_RGB32), 0, 0),
            Rgb{0xFFA04A});
}

TEST_F(InfoDlgTest, ShowInfoIsModalAndEnterOrEscapeCloseIt) {
  TInfo info;
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    QString caption;
    bool wasModal = false;
    QTimer::singleShot(0, &info, [&] {
      caption = info.windowTitle();
      wasModal = QApplication::activeModalWidget() == &info;
      QTest::keyClick(&info, key);
      if (info.isVisible()) // a failed close must not hang the test
        info.done(QDialog::Rejected);
    });
    EXPECT_EQ(info.ShowInfo(QStringLiteral("Das Kraftbild"), QStringLiteral("2005"), QIcon()),
              QDialog::Accepted)
        << key;
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(caption, QStringLiteral("Info über Das Kraftbild"));
  }
}

TEST(ApplyMessageFontTest, OnlyEightPointWindowsOpenAtCreationTakeTheFace) {
  const QString face = MessageFontFace();
  const QString own = QStringLiteral("Kraftbild Testschrift");
  ASSERT_NE(face, own);
  auto window = [&own](int points) {
    auto w = std::make_unique<QWidget>();
    QFont f(own);
    f.setPointSize(points);
    w->setFont(f);
    return w;
  };
  const auto small = window(8);
  auto *child = new QLabel(small.get());
  const auto large = window(10);

  TInfo info;
  EXPECT_EQ(small->font().family(), face);
  EXPECT_EQ(small->font().pointSize(), 8);
  EXPECT_EQ(child->font().family(), face);
  EXPECT_EQ(large->font().family(), own);
  EXPECT_EQ(info.font().family(), face);
  EXPECT_EQ(info.font().pointSize(), 8);

  const auto later = window(8);
  EXPECT_EQ(later->font().family(), own);
}

} // namespace

namespace {

// The logo's dipole lines come from the program's own tracer: the line straight between the
// charges is drawn darker than the others, and lines arch above and below the pair, mirror images
// of each other.
TEST(ArtworkTest, TheLogoShowsTheDipolesTracedFieldLines) {
  const QImage logo = KraftbildLogo();
  auto dark = [&](int x, int y) { return qGray(logo.pixel(x, y)) < 180; };
  for (int x = 60; x <= 82; ++x)
    EXPECT_TRUE(dark(x, 22)) << x;
  int above = 0, below = 0, mirrored = 0;
  for (int y = 1; y < 21; ++y) {
    const int x = 71; // midway between the charges
    const bool a = qGray(logo.pixel(x, 22 - y)) < 230;
    const bool b = qGray(logo.pixel(x, 21 + y)) < 230; // the mirror row about y = 22.0
    above += a;
    below += b;
    mirrored += a == b;
  }
  EXPECT_GE(above, 2);
  EXPECT_GE(below, 2);
  EXPECT_GE(mirrored, 18);
}

} // namespace
