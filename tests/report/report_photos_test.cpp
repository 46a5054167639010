// The photos of a report: the main photo of the photo box, the walk over a
// folder for the Additional Photos page, the page itself.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "report/additional_photos.h"
#include "report/report_photos.h"

namespace {

// A small picture file as the photo folders hold them.
QByteArray Jpeg() {
  static const QByteArray bytes = [] {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return buffer.data();
  }();
  return bytes;
}

// Writes a photo file: a picture, or, for a name ending in "!", the name
// without it holding what cannot be shown (empty for "!", text for "!!").
bool WritePhoto(const QString& path) {
  QString name = path;
  QByteArray bytes = Jpeg();
  if (name.endsWith("!!")) {
    name.chop(2);
    bytes = "not a picture";
  } else if (name.endsWith('!')) {
    name.chop(1);
    bytes.clear();
  }
  QFile f(name);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A folder holding photo files of the given names (WritePhoto).
class PhotoFolder {
 public:
  explicit PhotoFolder(const QStringList& names) {
    for (const QString& name : names) WritePhoto(dir_.filePath(name));
  }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

TEST(ReportPhotos, MainPhotoOfAUserFolder) {
  const struct {
    QStringList files;
    const char* expected;
  } cases[] = {
      {{"7-123-@1.jpg", "7-123-@3.jpg", "7-123-@2.jpg"}, "7-123-@3.jpg"},
      {{"7-123-@1.jpg", "7-123-@3.jpg", "7-123-@3+.jpg"}, "7-123-@3+.jpg"},
      {{"7-123-@3+.jpg"}, "7-123-@3+.jpg"},
      {{"7-123-@2.jpg", "7-123-@10.JPG"}, "7-123-@10.JPG"},
      {{"7-123-9.jpg", "7-123-@x.jpg", "notes@9.jpg", "7-123-@4.png"}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) {
    const PhotoFolder folder(c.files);
    EXPECT_EQ(qw::MainPhotoName(qw::ListFolder(folder.Path()), qw::MainPhotoPrefix(7, 123)), c.expected)
        << c.files.join(' ').toStdString();
  }
}

TEST(ReportPhotos, UserPhotoElseTheProgramsPhotoElseNone) {
  QTemporaryDir root;
  const QString photos = root.filePath("Photos"), program = root.filePath("program");
  QDir().mkpath(photos + "/7/1");  // a user folder with a further photo only
  QDir().mkpath(photos + "/7/2");
  QDir().mkpath(program + "/photos");
  // Photos that cannot be shown (empty, not a picture) count as missing.
  QDir().mkpath(photos + "/7/5");
  QDir().mkpath(photos + "/7/6");
  for (const QString& f : {photos + "/7/1/7-1-1.jpg", photos + "/7/2/7-2-@1.jpg", program + "/photos/7-1.jpg",
                           program + "/photos/7-2.jpg", program + "/photos/7-3.jpg", photos + "/7/5/7-5-@1.jpg",
                           photos + "/7/5/7-5-@2.jpg!", photos + "/7/5/7-5-@2+.jpg!!", photos + "/7/6/7-6-@1.jpg!",
                           program + "/photos/7-6.jpg", program + "/photos/7-7.jpg!!"})
    ASSERT_TRUE(WritePhoto(f)) << f.toStdString();
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 1), program + "/photos/7-1.jpg");
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 2), photos + "/7/2/7-2-@1.jpg");
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 3), program + "/photos/7-3.jpg");
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 4), "");
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 5), photos + "/7/5/7-5-@1.jpg");
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 6), program + "/photos/7-6.jpg");
  EXPECT_EQ(qw::MainPhotoFile(photos, program, 7, 7), "");
}

TEST(ReportPhotos, WalkOverAFolderOfFurtherPhotos) {
  QStringList ten;
  for (int n = 1; n <= 10; ++n) ten << QStringLiteral("7-123-%1.jpg").arg(n);
  const struct {
    QStringList files;
    QStringList expected;
  } cases[] = {
      {{"7-123-1.jpg", "7-123-3.jpg", "7-123-4+.jpg"}, {"7-123-4+.jpg", "7-123-3.jpg", "7-123-1.jpg"}},
      // The highest number as its first name carries it; below it the plain numbers.
      {{"7-123-2.jpg", "7-123-2+.jpg", "7-123-4+.jpg", "7-123-4.jpg"}, {"7-123-4+.jpg", "7-123-2.jpg"}},
      {{"7-123-5.jpg", "7-123-03.jpg", "7-123-2+.jpg"}, {"7-123-5.jpg", "7-123-2+.jpg"}},
      {ten, {"7-123-10.jpg", "7-123-9.jpg", "7-123-8.jpg", "7-123-7.jpg", "7-123-6.jpg", "7-123-5.jpg", "7-123-4.jpg",
             "7-123-3.jpg"}},
      {{"7-123-@5.jpg", "7-123-5@.jpg", "7-12-6.jpg", "7-123-x.jpg", "7-123-03.jpg"}, {"7-123-03.jpg"}},
      // Photos that cannot be shown count as missing.
      {{"7-123-3.jpg!", "7-123-2.jpg!!", "7-123-2+.jpg", "7-123-1.jpg"}, {"7-123-2+.jpg", "7-123-1.jpg"}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    const PhotoFolder folder(c.files);
    EXPECT_EQ(qw::AdditionalPhotoNames(folder.Path(), qw::AdditionalPhotoPrefix(7, 123)), c.expected)
        << c.files.join(' ').toStdString();
  }
  EXPECT_TRUE(qw::AdditionalPhotoNames("/no/such/folder", "7-123-").isEmpty());
}

TEST(ReportPhotos, AdditionalPhotosPage) {
  qw::AdditionalPhotosInput in;
  in.marinaName = "Baxter & Daughters";
  in.harbor = "Lowell's Cove";
  const QString empty = qw::ComposeAdditionalPhotosPage(in);
  // The report's style classes, of which the page uses footer and Rights.
  EXPECT_TRUE(empty.startsWith(
      "<html><BODY oncontextmenu='return false'></BODY><div><STYLE>.para_hdr{font-family:Arial Narrow;"));
  EXPECT_TRUE(empty.contains(
      ".Rights{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;}</STYLE><TABLE Border=0 "));
  EXPECT_FALSE(empty.contains("<IMG"));
  EXPECT_TRUE(empty.endsWith(
      "</span></TD><TD align=Center valign=top><NOBR><span class=footer>Baxter &amp; Daughters</span></TD>"
      "<TD align=right valign=top><span class=footer>&nbsp;&nbsp;Lowell's Cove</span></TD></table></div></body></html>"));

  // A folder path with an apostrophe and a blank: a proper file URL, the
  // link's address as well as the picture's.
  in.photoFiles = {"/ph/O'Brien/7-1-2.jpg", "/ph/b c/7-1-1+.jpg"};
  const QString page = qw::ComposeAdditionalPhotosPage(in);
  EXPECT_TRUE(page.contains(
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;left:0.375in;top:0.375in;"
      "width:3.625in;height:2.375in;'><TR><TD><A style='cursor:hand' HREF='file:///ph/O%27Brien/7-1-2.jpg'>"
      "<IMG SRC='file:///ph/O%27Brien/7-1-2.jpg' style='width:3.625in;height:2.375in' ALIGN=center "
      "Border=0 vspace=0 hspace=0></a><NOBR></TD></TR></TABLE>"));
  EXPECT_TRUE(qw::IsPhotoLink(QUrl("file:///ph/O%27Brien/7-1-2.jpg")));
  EXPECT_FALSE(qw::IsPhotoLink(QUrl("http://x/7-1-2.jpg")));
  EXPECT_TRUE(page.contains("left:4.2in;top:0.375in;width:3.625in;height:2.375in;'>"));
  EXPECT_TRUE(page.contains("<IMG SRC='file:///ph/b%20c/7-1-1+.jpg'"));
  EXPECT_EQ(page.count("<IMG"), 2);
}

}  // namespace
