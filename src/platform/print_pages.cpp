#include "platform/print_pages.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFont>
#include <QHash>
#include <QIODevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <string>
#include <vector>

// This code uses std::shared_ptr only, none of qpdf's older pointer type.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "platform/font_union.h"
#include "platform/message_box.h"
#include "platform/program.h"

namespace qw {
namespace {

PageSetupSource& Source() {
  static PageSetupSource source;
  return source;
}

PageSetupSink& Sink() {
  static PageSetupSink sink;
  return sink;
}

constexpr double kLineInches = 0.25;  // height of the header and footer lines
constexpr double kGapInches = 0.1;    // between those lines and the body
constexpr double kDefaultTopInches = 0.4;
constexpr double kDefaultBottomInches = 0.4;
constexpr double kDefaultSideInches = 0.5;
constexpr double kBandInches = kLineInches + kGapInches;

// The page's margins in inches (see PageSetupLayout) on a sheet of this size,
// of which the printer cannot print on `unprintable`.
QMarginsF SheetMargins(const QSizeF& sheetInches, const PageSetup& setup, const QMarginsF& unprintable) {
  const auto atLeast = [&unprintable](QMarginsF m) {
    return QMarginsF(std::max(m.left(), unprintable.left()), std::max(m.top(), unprintable.top()),
                     std::max(m.right(), unprintable.right()), std::max(m.bottom(), unprintable.bottom()));
  };
  const QMarginsF margins = atLeast(QMarginsF(MarginInches(setup.marginLeft, kDefaultSideInches),
                                              MarginInches(setup.marginTop, kDefaultTopInches),
                                              MarginInches(setup.marginRight, kDefaultSideInches),
                                              MarginInches(setup.marginBottom, kDefaultBottomInches)));
  const double bands = (setup.header.isEmpty() ? 0 : kBandInches) + (setup.footer.isEmpty() ? 0 : kBandInches);
  // Margins that leave no body (a hand-edited store) give way to the defaults.
  if (sheetInches.height() - margins.top() - margins.bottom() - bands < 1 ||
      sheetInches.width() - margins.left() - margins.right() < 1)
    return atLeast(QMarginsF(kDefaultSideInches, kDefaultTopInches, kDefaultSideInches, kDefaultBottomInches));
  return margins;
}

// Territories whose usual paper is Letter.
constexpr QLocale::Territory kLetterTerritories[] = {
    QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Belize,
    QLocale::Chile,        QLocale::Colombia,   QLocale::CostaRica, QLocale::ElSalvador,
    QLocale::Guatemala,    QLocale::Nicaragua,  QLocale::Panama,    QLocale::Philippines,
    QLocale::PuertoRico,   QLocale::Venezuela,
};
constexpr double kFontPoints = 9;

// Draws the parts of an expanded header or footer into one line: one part
// left, two parts left and right, three left, centre and right.
void DrawLine(QPainter& painter, const QRectF& line, const QStringList& parts) {
  if (parts.isEmpty()) return;
  const int v = Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(line, Qt::AlignLeft | v, parts[0]);
  if (parts.size() == 2) painter.drawText(line, Qt::AlignRight | v, parts[1]);
  if (parts.size() >= 3) {
    painter.drawText(line, Qt::AlignHCenter | v, parts[1]);
    painter.drawText(line, Qt::AlignRight | v, parts.mid(2).join(QString()));
  }
}

QSizeF PagePoints(QPDFPageObjectHelper& page) {
  const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
  return QSizeF(box.urx - box.llx, box.ury - box.lly);
}

// One header-and-footer page per body page, each of the body page's size.
QByteArray HeaderFooterPages(const QList<QSizeF>& sizes, const PageSetup& setup, const QString& title,
                             const QString& url, const QMarginsF& unprintable) {
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&out);
    writer.setResolution(72);  // one unit a point, as in the body
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(sizes.value(0), QPageSize::Point));
    QPainter painter(&writer);
    for (int i = 0; i < sizes.size(); ++i) {
      if (i > 0) {
        writer.setPageSize(QPageSize(sizes[i], QPageSize::Point));
        writer.newPage();
      }
      DrawHeaderFooter(painter, QRectF(QPointF(0, 0), sizes[i]), setup,
                       PageCodeValues{i + 1, int(sizes.size()), title, url, {}}, unprintable);
    }
  }
  return out.data();
}

// The program of a TrueType font whose glyphs are numbered as in the
// program (a CID font without a glyph map of its own); null for any other.
QPDFObjectHandle ProgramOf(QPDFObjectHandle font) {
  if (!font.isDictionary() || !font.getKey("/Subtype").isNameAndEquals("/CIDFontType2") ||
      !font.getKey("/CIDToGIDMap").isNameAndEquals("/Identity"))
    return QPDFObjectHandle::newNull();
  QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
  QPDFObjectHandle program = descriptor.isDictionary() ? descriptor.getKey("/FontFile2") : QPDFObjectHandle::newNull();
  return program.isStream() && program.isIndirect() ? program : QPDFObjectHandle::newNull();
}

// The font programs of a document that keep the font's glyph numbers.
std::set<QPDFObjGen> Programs(QPDF& document) {
  std::set<QPDFObjGen> programs;
  for (QPDFObjectHandle object : document.getAllObjects())
    if (QPDFObjectHandle program = ProgramOf(object); !program.isNull()) programs.insert(program.getObjGen());
  return programs;
}

// Places page `overlay` over `page` (both of one size), leaving the page's
// own drawing as it was: its content is wrapped so that no graphics state
// it leaves behind reaches the overlay.
void Overlay(QPDF& doc, QPDFPageObjectHelper& page, QPDFPageObjectHelper& overlay) {
  QPDFObjectHandle form = doc.copyForeignObject(overlay.getFormXObjectForPage());
  QPDFObjectHandle resources = page.getAttribute("/Resources", true);
  if (!resources.isDictionary()) {
    resources = QPDFObjectHandle::newDictionary();
    page.getObjectHandle().replaceKey("/Resources", resources);
  }
  if (!resources.getKey("/XObject").isDictionary())
    resources.replaceKey("/XObject", QPDFObjectHandle::newDictionary());
  int suffix = 0;
  const std::string name = resources.getUniqueResourceName("/Fx", suffix);
  resources.getKey("/XObject").replaceKey(name, form);
  const std::string place =
      page.placeFormXObject(form, name, page.getTrimBox().getArrayAsRectangle(), true, true, true);
  page.addPageContents(doc.newStream("q\n"), true);
  page.addPageContents(doc.newStream("\nQ\nq\n" + place + "\nQ\n"), false);
}

}  // namespace

PageSetupSource SetPageSetupSource(PageSetupSource source) {
  PageSetupSource previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}

PageSetupSink SetPageSetupSink(PageSetupSink sink) {
  PageSetupSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

bool HasPageSetupSource() { return bool(Source()); }
bool HasPageSetupSink() { return bool(Sink()); }

PageSetup CurrentPageSetup() { return Source() ? Source()() : PageSetup(); }

void WritePageSetup(const PageSetupChange& change) {
  if (!Sink()) return;
  for (const auto& [name, value] : change) Sink()(name, value);
}

void PrintWithPageSetup(const PageSetupChange& during, const PageSetupChange& after,
                        const std::function<void()>& print) {
  WritePageSetup(during);
  try {
    if (print) print();
  } catch (...) {
    WritePageSetup(after);
    throw;
  }
  WritePageSetup(after);
}

void SayNotPrinted(const QString& what, const QString& why) {
  MsgBox(what + QStringLiteral(" could not be printed: ") + why, MsgButtons::OK, MsgIcon::Critical,
         kPrintStatusTitle);
}

bool PrintWhenEnabled(long printStatus, const std::function<void()>& beforePrint,
                      const std::function<bool()>& print) {
  if (!(printStatus & kPrintCommandEnabled)) {
    MsgBox(kPrintDisabledMessage, MsgButtons::OK, MsgIcon::Critical, kPrintStatusTitle);
    return false;
  }
  if (beforePrint) beforePrint();
  return print && print();
}

double MarginInches(const QString& text, double fallback) {
  QString number = text.trimmed();
  number.replace(u',', u'.');
  bool ok = false;
  const double value = number.toDouble(&ok);
  return ok && value >= 0 ? value : fallback;
}

QPageSize LocalePaper(const QLocale& locale) {
  for (const QLocale::Territory letter : kLetterTerritories) {
    if (locale.territory() == letter) return QPageSize(QPageSize::Letter);
  }
  return QPageSize(QPageSize::A4);
}

QString PaperText(const QPageSize& paper) {
  if (paper.id() != QPageSize::Custom) return paper.key();
  const QSizeF mm = paper.size(QPageSize::Millimeter);
  return QStringLiteral("%1x%2mm").arg(mm.width(), 0, 'g', 6).arg(mm.height(), 0, 'g', 6);
}

QString OrientationText(QPageLayout::Orientation orientation) {
  return orientation == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
}

QPageLayout StoredPaper(const PageSetup& setup) {
  QPageSize paper;
  const QString text = setup.paper.trimmed();
  for (int id = 0; id <= int(QPageSize::LastPageSize) && !paper.isValid(); ++id) {
    const auto standard = QPageSize::PageSizeId(id);
    if (standard != QPageSize::Custom && QPageSize::key(standard).compare(text, Qt::CaseInsensitive) == 0)
      paper = QPageSize(standard);
  }
  if (!paper.isValid() && text.endsWith(QLatin1String("mm"), Qt::CaseInsensitive)) {
    const QStringList sides = text.chopped(2).split(u'x', Qt::KeepEmptyParts, Qt::CaseInsensitive);
    bool wide = false;
    bool high = false;
    const double w = sides.size() == 2 ? sides[0].toDouble(&wide) : 0;
    const double h = sides.size() == 2 ? sides[1].toDouble(&high) : 0;
    if (wide && high && w > 0 && h > 0) paper = QPageSize(QSizeF(w, h), QPageSize::Millimeter);
  }
  if (!paper.isValid()) paper = LocalePaper(QLocale::system());
  const QPageLayout::Orientation orientation =
      setup.orientation.trimmed().compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0
          ? QPageLayout::Landscape
          : QPageLayout::Portrait;
  return QPageLayout(paper, orientation, QMarginsF(), QPageLayout::Inch);
}

QMarginsF UnprintableInches(const QPageLayout& paper) {
  QPageLayout inches = paper;
  inches.setUnits(QPageLayout::Inch);
  return inches.minimumMargins();
}

QPageLayout PageSetupLayout(const QPageLayout& paper, const PageSetup& setup) {
  QPageLayout layout(paper.pageSize(), paper.orientation(), QMarginsF(), QPageLayout::Inch);
  layout.setMargins(SheetMargins(layout.fullRect(QPageLayout::Inch).size(), setup, UnprintableInches(paper)));
  return layout;
}

QPageLayout BodyLayout(const QPageLayout& paper, const PageSetup& setup) {
  QPageLayout layout = PageSetupLayout(paper, setup);
  QMarginsF margins = layout.margins(QPageLayout::Inch);
  if (!setup.header.isEmpty()) margins.setTop(margins.top() + kBandInches);
  if (!setup.footer.isEmpty()) margins.setBottom(margins.bottom() + kBandInches);
  layout.setMargins(margins);
  return layout;
}

void DrawHeaderFooter(QPainter& painter, const QRectF& sheet, const PageSetup& setup,
                      const PageCodeValues& values, const QMarginsF& unprintable) {
  if (setup.header.isEmpty() && setup.footer.isEmpty()) return;
  QPaintDevice* device = painter.device();
  const double dpiX = device ? device->logicalDpiX() : 72;
  const double dpiY = device ? device->logicalDpiY() : 72;
  QFont font(QStringLiteral("Sans Serif"));
  font.setPointSizeF(kFontPoints);
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QMarginsF margins = SheetMargins(QSizeF(sheet.width() / dpiX, sheet.height() / dpiY), setup, unprintable);
  const double left = margins.left() * dpiX;
  const double width = sheet.width() - left - margins.right() * dpiX;
  const QRectF header(sheet.left() + left, sheet.top() + margins.top() * dpiY, width, kLineInches * dpiY);
  const QRectF footer(sheet.left() + left, sheet.bottom() - (margins.bottom() + kLineInches) * dpiY, width,
                      kLineInches * dpiY);
  DrawLine(painter, header, ExpandPageCodes(setup.header, values));
  DrawLine(painter, footer, ExpandPageCodes(setup.footer, values));
  painter.restore();
}

int PdfPageCount(const QByteArray& pdf) {
  try {
    QPDF document;
    document.setSuppressWarnings(true);
    document.processMemoryFile("pages", pdf.constData(), size_t(pdf.size()));
    return int(QPDFPageDocumentHelper(document).getAllPages().size());
  } catch (const std::exception&) {
    return 0;  // not a PDF qpdf can read: the caller takes it as no pages
  }
}

// ---------------------------------------------------------------- PdfAssembler

namespace {

constexpr int kCatalog = 1;
constexpr int kPageTree = 2;
constexpr int kObjectsPerStream = 200;
constexpr qsizetype kWriteBuffer = qsizetype(1) << 20;

// A zlib stream as FlateDecode reads it (qCompress puts the length first).
QByteArray Deflated(const QByteArray& data) { return qCompress(data, 6).mid(4); }

QByteArray Reference(int number) { return QByteArray::number(number) + " 0 R"; }

QByteArray Name(const std::string& name) { return QByteArray::fromStdString(QPDFObjectHandle::newName(name).unparse()); }

}  // namespace

struct PdfAssembler::Parts {
  // Where an object is: in the file at `at` (kind 1), or the index-th of the
  // object stream numbered `at` (kind 2).
  struct Where {
    quint8 kind = 0;
    quint64 at = 0;
    quint32 index = 0;
  };

  QIODevice* out = nullptr;
  int fromPage = 0;
  int toPage = 0;
  QString title;
  qint64 written = 0;  // bytes handed to out
  QByteArray buffer;   // bytes waiting for it
  QString failure;     // why the file cannot be finished
  std::vector<Where> objects = std::vector<Where>(3);  // 0 free, 1 catalogue, 2 page tree
  // Every object written so far by what it holds (SHA-1 of its text and
  // data), so that the same object is written once.
  QHash<QByteArray, int> byContent;
  // The object stream being filled.
  QByteArray streamHead;
  QByteArray streamBody;
  std::vector<int> streamMembers;
  std::vector<int> kids;  // the pages written, in order
  int pages = 0;          // the pages added
  // The font programs gathered from the prints' subsets, by font; written
  // last, when every subset is in.
  struct Program {
    int number = 0;
    TrueTypeUnion glyphs;
  };
  std::map<QByteArray, Program> programs;

  // The number of the gathered program that takes in this subset of the
  // font `name`; 0 when it cannot.
  int Gather(const QByteArray& name, QPDFObjectHandle subset) {
    const std::shared_ptr<Buffer> data = subset.getStreamData(qpdf_dl_generalized);
    const QByteArray font(reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
    Program& program = programs[name + '\0' + TrueTypeUnion::Identity(font)];
    if (!program.glyphs.Add(font)) return 0;
    if (program.number == 0) program.number = NewObject();
    return program.number;
  }

  QString FailureMessage() const { return QStringLiteral("The print could not be written: %1.").arg(failure); }
  bool InRange(int page) const {
    return fromPage <= 0 || (page >= fromPage && (toPage < fromPage || page <= toPage));
  }
  int NewObject() {
    objects.push_back(Where{});
    return int(objects.size()) - 1;
  }
  qint64 Offset() const { return written + buffer.size(); }
  void Put(const QByteArray& bytes) {
    buffer += bytes;
    if (buffer.size() >= kWriteBuffer) Flush();
  }
  void Flush() {
    if (!failure.isEmpty())
      buffer.clear();
    else
      failure = WriteAll(*out, buffer);
    written += buffer.size();
    buffer.clear();
  }
  void PutObject(int number, const QByteArray& text) {
    objects[size_t(number)] = Where{1, quint64(Offset()), 0};
    Put(QByteArray::number(number) + " 0 obj\n" + text + "\nendobj\n");
  }
  void PutStream(int number, const QByteArray& dictionary, const QByteArray& data) {
    objects[size_t(number)] = Where{1, quint64(Offset()), 0};
    Put(QByteArray::number(number) + " 0 obj\n" + dictionary + "\nstream\n");
    Put(data);
    Put("\nendstream\nendobj\n");
  }
  // Objects other than streams go into compressed object streams.
  void PutInStream(int number, const QByteArray& text) {
    objects[size_t(number)] = Where{2, 0, quint32(streamMembers.size())};
    streamHead += QByteArray::number(number) + ' ' + QByteArray::number(streamBody.size()) + ' ';
    streamBody += text + '\n';
    streamMembers.push_back(number);
    if (streamMembers.size() >= size_t(kObjectsPerStream)) EndObjectStream();
  }
  void EndObjectStream() {
    if (streamMembers.empty()) return;
    const int number = NewObject();
    for (const int member : streamMembers) objects[size_t(member)].at = quint64(number);
    const QByteArray data = Deflated(streamHead + streamBody);
    PutStream(number,
              "<</Type/ObjStm/N " + QByteArray::number(qsizetype(streamMembers.size())) + "/First " +
                  QByteArray::number(streamHead.size()) + "/Filter/FlateDecode/Length " +
                  QByteArray::number(data.size()) + ">>",
              data);
    streamHead.clear();
    streamBody.clear();
    streamMembers.clear();
  }
};

// Writes the objects of one print that its pages reach, each under its
// number in the whole document; one the document holds already is not
// written again.
class PdfAssembler::Copier {
 public:
  explicit Copier(Parts& parts) : parts_(parts) {}

  // The font programs that may be gathered with other subsets of their
  // font: the engine's own, numbered as in the font (never a header's or
  // footer's, which number their glyphs in the order the text used them).
  void MayGather(std::set<QPDFObjGen> programs) { gatherable_ = std::move(programs); }
  // A page to write under `number`; references to it point there.
  void Place(QPDFObjectHandle page, int number) { numbers_[page.getObjGen()] = number; }
  // A page or page-tree node not written: references to it are null.
  void Leave(QPDFObjectHandle object) { left_.insert(object.getObjGen()); }
  bool Left(QPDFObjectHandle object) const { return left_.count(object.getObjGen()) > 0; }

  void WritePage(QPDFObjectHandle page) {
    parts_.PutInStream(numbers_.at(page.getObjGen()),
                       "<<" + Entries(page, "/Parent") + "/Parent " + Reference(kPageTree) + ">>");
  }

 private:
  // A dictionary's entries but `left` (null ones go), each as "/Key value ".
  QByteArray Entries(QPDFObjectHandle dictionary, const std::string& left) {
    QByteArray text;
    for (auto [key, value] : dictionary.getDictAsMap())
      if (key != left && !value.isNull()) text += Name(key) + ' ' + Value(value) + ' ';
    return text;
  }

  QByteArray Value(QPDFObjectHandle object) {
    if (!object.isIndirect()) return Content(object);
    const int number = Number(object);
    return number > 0 ? Reference(number) : QByteArray("null");
  }

  QByteArray Content(QPDFObjectHandle object) {
    NoteProgram(object);
    if (object.isArray()) {
      QByteArray text = "[";
      for (QPDFObjectHandle item : object.getArrayAsVector()) text += Value(item) + ' ';
      return text + ']';
    }
    if (object.isDictionary()) return "<<" + Entries(object, {}) + ">>";
    return QByteArray::fromStdString(object.unparse());
  }

  // A TrueType font of the engine's whose glyphs are numbered as in its
  // program (no glyph map of its own): its program may be gathered with the
  // other subsets of the same font.
  void NoteProgram(QPDFObjectHandle font) {
    QPDFObjectHandle program = ProgramOf(font);
    if (program.isNull() || !gatherable_.count(program.getObjGen())) return;
    QPDFObjectHandle name = font.getKey("/FontDescriptor").getKey("/FontName");
    if (!name.isName()) return;
    // The subset's tag ("ABCDEF+") goes.
    const QByteArray full = QByteArray::fromStdString(name.getName());
    programs_[program.getObjGen()] = full.mid(full.indexOf('+') + 1);
  }

  // The number of an indirect object, written first when it is not yet; 0
  // for one that is not written (null).
  int Number(QPDFObjectHandle object) {
    const QPDFObjGen id = object.getObjGen();
    if (const auto it = numbers_.find(id); it != numbers_.end()) return it->second;
    if (left_.count(id) || object.isNull()) return 0;
    if (const auto program = programs_.find(id); program != programs_.end()) {
      if (const int number = parts_.Gather(program->second, object); number > 0) {
        numbers_[id] = number;
        return number;
      }
    }
    // Reached again on its own way down (a loop): numbered now, written when
    // its turn comes.
    if (open_.count(id)) {
      const int number = parts_.NewObject();
      pinned_[id] = number;
      return number;
    }
    open_.insert(id);
    QByteArray text;
    QByteArray data;
    const bool stream = object.isStream();
    if (stream) {
      const std::shared_ptr<Buffer> raw = object.getRawStreamData();
      data = QByteArray(reinterpret_cast<const char*>(raw->getBuffer()), qsizetype(raw->getSize()));
      text = "<<" + Entries(object.getDict(), "/Length") + "/Length " + QByteArray::number(data.size()) + ">>";
    } else {
      text = Content(object);
    }
    open_.erase(id);
    int number = 0;
    if (const auto pin = pinned_.find(id); pin != pinned_.end()) {
      number = pin->second;
    } else {
      QCryptographicHash hash(QCryptographicHash::Sha1);
      hash.addData(stream ? QByteArrayView("s") : QByteArrayView("o"));
      hash.addData(text);
      hash.addData(data);
      const QByteArray key = hash.result();
      if (const auto same = parts_.byContent.constFind(key); same != parts_.byContent.constEnd()) {
        numbers_[id] = same.value();
        return same.value();
      }
      number = parts_.NewObject();
      parts_.byContent.insert(key, number);
    }
    if (stream)
      parts_.PutStream(number, text, data);
    else
      parts_.PutInStream(number, text);
    numbers_[id] = number;
    return number;
  }

  Parts& parts_;
  std::set<QPDFObjGen> gatherable_;
  std::map<QPDFObjGen, int> numbers_;
  std::set<QPDFObjGen> left_;
  std::set<QPDFObjGen> open_;
  std::map<QPDFObjGen, int> pinned_;
  std::map<QPDFObjGen, QByteArray> programs_;  // font programs to gather, by font
};

PdfAssembler::PdfAssembler(QIODevice& out, int fromPage, int toPage) : parts_(std::make_unique<Parts>()) {
  parts_->out = &out;
  parts_->fromPage = fromPage;
  parts_->toPage = toPage;
  parts_->Put("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n");
}

PdfAssembler::~PdfAssembler() = default;

void PdfAssembler::SetTitle(const QString& title) { parts_->title = title; }

int PdfAssembler::PageCount() const { return parts_->pages; }

int PdfAssembler::Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title, const QString& url,
                      const QMarginsF& unprintable) {
  error_.clear();
  Parts& parts = *parts_;
  if (!parts.failure.isEmpty()) {
    error_ = parts.FailureMessage();
    return 0;
  }
  try {
    QPDF body;
    body.setSuppressWarnings(true);
    body.processMemoryFile("printed page", bodyPdf.constData(), size_t(bodyPdf.size()));
    QPDFPageDocumentHelper helper(body);
    helper.pushInheritedAttributesToPage();
    std::vector<QPDFPageObjectHelper> pages = helper.getAllPages();
    if (pages.empty()) {
      error_ = QStringLiteral("The printed page has no pages.");
      return 0;
    }
    Copier copier(parts);
    // Only the engine's font programs; taken before the header and footer
    // bring their own.
    copier.MayGather(Programs(body));
    // The header and footer, stamped on; their document lives until the
    // pages are written, which read from it.
    QPDF overlay;
    QByteArray lines;
    if (!setup.header.isEmpty() || !setup.footer.isEmpty()) {
      QList<QSizeF> sizes;
      for (QPDFPageObjectHelper& page : pages) sizes << PagePoints(page);
      lines = HeaderFooterPages(sizes, setup, title, url, unprintable);
      overlay.setSuppressWarnings(true);
      overlay.processMemoryFile("header and footer", lines.constData(), size_t(lines.size()));
      std::vector<QPDFPageObjectHelper> overlays = QPDFPageDocumentHelper(overlay).getAllPages();
      for (size_t i = 0; i < pages.size() && i < overlays.size(); ++i) Overlay(body, pages[i], overlays[i]);
    }
    std::vector<std::pair<QPDFObjectHandle, int>> kept;
    for (size_t i = 0; i < pages.size(); ++i) {
      QPDFObjectHandle page = pages[i].getObjectHandle();
      if (parts.InRange(parts.pages + int(i) + 1)) {
        kept.emplace_back(page, parts.NewObject());
        copier.Place(page, kept.back().second);
      } else {
        copier.Leave(page);
      }
      for (QPDFObjectHandle node = page.getKey("/Parent"); node.isDictionary() && !copier.Left(node);
           node = node.getKey("/Parent"))
        copier.Leave(node);
    }
    for (auto& [page, number] : kept) {
      copier.WritePage(page);
      parts.kids.push_back(number);
    }
    parts.pages += int(pages.size());
    if (!parts.failure.isEmpty()) {
      error_ = parts.FailureMessage();
      return 0;
    }
    return int(pages.size());
  } catch (const std::exception& e) {
    error_ = QStringLiteral("The printed page could not be read: ") + QString::fromLocal8Bit(e.what());
    if (parts.kids.size() || parts.Offset() > 16) parts.failure = error_;
    return 0;
  }
}

bool PdfAssembler::Finish() {
  error_.clear();
  Parts& parts = *parts_;
  if (parts.failure.isEmpty() && parts.kids.empty()) {
    error_ = parts.pages == 0 ? QStringLiteral("Nothing was printed.") : QStringLiteral("The chosen pages are not in the print.");
    return false;
  }
  parts.EndObjectStream();
  for (auto& [font, program] : parts.programs) {
    if (program.number == 0) continue;
    const QByteArray whole = program.glyphs.Program();
    const QByteArray data = Deflated(whole);
    parts.PutStream(program.number,
                    "<</Length1 " + QByteArray::number(whole.size()) + "/Filter/FlateDecode/Length " +
                        QByteArray::number(data.size()) + ">>",
                    data);
  }
  QByteArray kids;
  for (const int kid : parts.kids) kids += Reference(kid) + ' ';
  parts.PutObject(kCatalog, "<</Type/Catalog/Pages " + Reference(kPageTree) + ">>");
  parts.PutObject(kPageTree, "<</Type/Pages/Count " + QByteArray::number(qsizetype(parts.kids.size())) + "/Kids[" +
                                 kids + "]>>");
  const int info = parts.NewObject();
  QByteArray infoText = "<</Producer (Quaywise)";
  if (!parts.title.isEmpty())
    infoText += "/Title " + QByteArray::fromStdString(QPDFObjectHandle::newUnicodeString(parts.title.toStdString()).unparse());
  parts.PutObject(info, infoText + ">>");
  // The cross-reference stream: each object's kind, place and index.
  const int xref = parts.NewObject();
  const qint64 at = parts.Offset();
  parts.objects[size_t(xref)] = Parts::Where{1, quint64(at), 0};
  QByteArray table;
  table.reserve(qsizetype(parts.objects.size()) * 8);
  for (size_t i = 0; i < parts.objects.size(); ++i) {
    const Parts::Where w = i == 0 ? Parts::Where{0, 0, 0xFFFF} : parts.objects[i];
    table += char(w.kind);
    for (int shift = 32; shift >= 0; shift -= 8) table += char((w.at >> shift) & 0xFF);
    table += char((w.index >> 8) & 0xFF);
    table += char(w.index & 0xFF);
  }
  const QByteArray data = Deflated(table);
  parts.PutStream(xref,
                  "<</Type/XRef/Size " + QByteArray::number(qsizetype(parts.objects.size())) +
                      "/W[1 5 2]/Root " + Reference(kCatalog) + "/Info " + Reference(info) +
                      "/Filter/FlateDecode/Length " + QByteArray::number(data.size()) + ">>",
                  data);
  parts.Put("startxref\n" + QByteArray::number(at) + "\n%%EOF\n");
  parts.Flush();
  if (!parts.failure.isEmpty()) {
    error_ = parts.FailureMessage();
    return false;
  }
  return true;
}

}  // namespace qw
