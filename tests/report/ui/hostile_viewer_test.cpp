// The real viewer over a marina whose texts carry script, event attributes
// and javascript: links: nothing of it runs or opens, the page's pictures
// still show, and the user's own clicks still open the photo and the web site.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTcpServer>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "maps/ui/frm_subregion.h"
#include "maps/ui/register.h"
#include "viewer_fixture.h"

namespace {

constexpr int kMarina = 512;

using qw::testing::Evaluate;
using qw::testing::WaitFor;

// A mouse click at the middle of the first element the selector finds.
bool Click(qw::WebBrowser* wb, const QString& selector) {
  const QVariantList middle =
      Evaluate(wb, "var e = document.querySelector(\"" + selector + "\"); e.scrollIntoView({block: 'center', "
                   "inline: 'center'}); var r = e.getBoundingClientRect(); [r.left + r.width / 2, r.top + r.height / 2]")
          .toList();
  if (middle.size() != 2) return false;
  const QPointF at(middle[0].toDouble(), middle[1].toDouble());
  QWidget* target = wb->View()->focusProxy();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent mouse(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &mouse);
  }
  return true;
}

qw::BrowserPopup* Popup() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = qobject_cast<qw::BrowserPopup*>(w); p && p->isVisible()) return p;
  return nullptr;
}

using HostileViewerTest = qw::testing::ViewerWindowTest;

TEST_F(HostileViewerTest, DataRunsNoScriptAndOpensNothingTheUserDidNotClick) {
  QTcpServer remote;
  ASSERT_TRUE(remote.listen(QHostAddress::LocalHost));
  const QString web = QStringLiteral("http://127.0.0.1:%1/").arg(remote.serverPort());
  const QString open = "document.title='ran';window.open('" + web + "x')";
  {
    const qw::DatabasePtr db = qw::Database::OpenDatabase(folder_.DatabasePath(), -1, false, QStringLiteral(";PWD="));
    const auto set = [&](const QString& table, const QString& assignments, const QString& value) {
      db->Execute("UPDATE " + table + " SET " + assignments.arg("'" + QString(value).replace("'", "''") + "'") +
                  " WHERE MarinaNo = " + QString::number(kMarina));
    };
    set("rpm_marinaname_no", "[Marina Name] = %1", "Fish & Chips <script>" + open + "</script>");
    set("rpm_Restaurants", "Name = %1", "<script>" + open + "</script>Fish & Chips </td> Co");
    set("rpm_Restaurants", "Comments = %1", "<img src=x onerror=\"" + open + "\">try the <I>chowder");
    set("rpm_extras", "Environs = %1", "<svg onload=\"" + open + "\"></svg>Depth <5 ft");
    set("rpm_extras", "Notable = %1", "<a href=\"javascript:" + open + "\">jump</a>");
    set("rpm_Contact_Information", "Website = %1", web + "site");
  }
  const QString photo = folder_.Path() + "/Photos/12/512/12-512-@1.jpg";
  QDir().mkpath(QFileInfo(photo).path());
  ASSERT_TRUE(QFile::copy(qw::testing::BuiltProgramFolder() + "/Photos/12/512/12-512-@1.jpg", photo));
  for (const char* ornament : {"bpin.gif", "bpingray.gif", "bpinlight3.gif", "corner.gif"})
    QFile::copy(qw::testing::BuiltProgramFolder() + "/" + ornament, folder_.Path() + "/" + ornament);
  QList<QUrl> desktop;
  const auto opener = qw::BrowserPage::SetDesktopOpener([&](const QUrl& url) { return desktop << url, true; });

  qw::AppScreens().showReport(qw::ReportHandOver{qw::ReportHandOver::Road::Map, 0, kMarina});
  qw::frm_view_report* v = Shown();
  ASSERT_NE(v, nullptr);
  ASSERT_EQ(v->CurrentMarinaNo(), kMarina);
  qw::WebBrowser* wb = v->wb;
  WaitFor([] { return false; }, 1500);  // time for anything that would run

  EXPECT_TRUE(desktop.isEmpty());
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_FALSE(remote.hasPendingConnections());
  EXPECT_NE(wb->Title(), "ran");
  EXPECT_EQ(Evaluate(wb, "document.querySelectorAll('script, svg, [onerror], [onload]').length").toInt(), 0);
  // The texts show as text, the bottom band stays in its own table, and every
  // picture of the page (icons, photo, ornaments) still loads from its file.
  const QString text = Evaluate(wb, "document.body.parentElement.innerText").toString();
  EXPECT_TRUE(text.contains("Fish & Chips </td> Co"));
  EXPECT_TRUE(text.contains("Depth <5 ft"));
  EXPECT_TRUE(Evaluate(wb, "document.getElementById('LeftBottomText').closest('table').getAttribute('style')")
                  .toString()
                  .contains("top:8.20in"));
  const QString broken = Evaluate(wb, "Array.from(document.images).filter(function(i){return !i.naturalWidth;})"
                                      ".map(function(i){return i.src;}).join(' ')").toString();
  EXPECT_TRUE(broken.isEmpty()) << broken.toStdString();
  EXPECT_GE(Evaluate(wb, "document.images.length").toInt(), 5);

  // The data's javascript: link is no link: a click does nothing.
  ASSERT_TRUE(Click(wb, "#LeftBottomText a"));
  WaitFor([] { return false; }, 1000);
  EXPECT_TRUE(desktop.isEmpty());
  EXPECT_EQ(wb->Url(), QUrl::fromLocalFile(qw::ReportPagePath()));

  // The user's click on the photo opens it alone at the screen's top left;
  // on the web site, in the desktop's browser.
  ASSERT_TRUE(Click(wb, "a[href$='.jpg'] img"));
  ASSERT_TRUE(WaitFor([] { return Popup() != nullptr; }, 10000));
  ASSERT_TRUE(Popup()->Browser()->WaitForLoad(30000));
  EXPECT_EQ(Popup()->Browser()->Url(), QUrl::fromLocalFile(photo));
  EXPECT_EQ(Popup()->pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
  Popup()->close();
  ASSERT_TRUE(Click(wb, "a[href^='http']"));
  EXPECT_TRUE(WaitFor([&] { return !desktop.isEmpty(); }, 10000));
  EXPECT_EQ(desktop, QList<QUrl>{QUrl(web + "site")});
  EXPECT_FALSE(remote.hasPendingConnections());
  qw::BrowserPage::SetDesktopOpener(opener);
}

// A marina whose name is markup: every caption, label and tip that shows it
// shows it as it stands (nothing of it is drawn, loaded or laid out as a
// table), and the photo window named after it keeps its Close on the screen.
TEST_F(HostileViewerTest, ANameOfTagsShowsAsTextInEveryCaptionLabelAndTip) {
  const QString huge = folder_.Path() + "/huge.png";
  QImage big(3000, 3000, QImage::Format_RGB32);
  big.fill(Qt::red);
  ASSERT_TRUE(big.save(huge));
  const QString name =
      "<b>Bold</b> <font color=red size=7>Red</font> <table><tr><td>Cell</td></tr></table><img src=\"" +
      QUrl::fromLocalFile(huge).toString() + "\"> & Co";
  {
    const qw::DatabasePtr db = qw::Database::OpenDatabase(folder_.DatabasePath(), -1, false, QStringLiteral(";PWD="));
    const QString quoted = "'" + QString(name).replace("'", "''") + "'";
    db->Execute("UPDATE rpm_marinaname_no SET [Marina Name] = " + quoted + ", [Marina 30 char Name] = " + quoted +
                " WHERE MarinaNo = " + QString::number(kMarina));
  }
  const QString photo = folder_.Path() + "/Photos/12/512/12-512-@1.jpg";
  QDir().mkpath(QFileInfo(photo).path());
  ASSERT_TRUE(QFile::copy(qw::testing::BuiltProgramFolder() + "/Photos/12/512/12-512-@1.jpg", photo));
  qw::RegisterMapScreens();
  ShowListInMainWindow();
  qw::frm_view_report* v = DoubleClick(kMarina);
  ASSERT_NE(v, nullptr);
  qw::BrowserPopup* window = v->ShowPhoto(QUrl::fromLocalFile(photo));
  ASSERT_TRUE(window->Browser()->WaitForLoad(30000));
  qw::ShowSubRegionMap(8);  // The Islands, where the marina has its mark
  QApplication::processEvents();

  int shown = 0;
  for (QWidget* w : QApplication::allWidgets()) {
    if (!w->isVisible()) continue;
    if (auto* label = qobject_cast<QLabel*>(w); label && label->text().contains(name)) {
      ++shown;
      EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
    if (w->toolTip().contains("Bold")) {
      ++shown;
      EXPECT_FALSE(w->toolTip().contains("<b>")) << w->objectName().toStdString();
    }
  }
  EXPECT_GE(shown, 2) << "the photo window's caption, the mark's tip";
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(QRect(window->cmdClose->mapToGlobal(QPoint(0, 0)), window->cmdClose->size())));
  EXPECT_LT(window->lblCaption->height(), 60);
  EXPECT_LE(window->frameGeometry().width(), screen.width());

  // Its menu offers only what works: no saving, no other windows, no source.
  QWidget* page = window->Browser()->View()->focusProxy();
  const QPoint at(page->width() / 2, page->height() / 2);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent mouse(type, at, page->mapToGlobal(at), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(page, &mouse);
  }
  ASSERT_TRUE(WaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }, 10000));
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QList<QAction*> working;
  for (QWebEnginePage::WebAction action : qw::kWorkingPageActions)
    working << window->Browser()->View()->pageAction(action);
  QStringList offered;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    offered << action->text();
    EXPECT_TRUE(working.contains(action) && action->isEnabled()) << action->text().toStdString();
  }
  EXPECT_FALSE(offered.isEmpty());
  EXPECT_FALSE(offered.join(' ').contains("Save", Qt::CaseInsensitive)) << offered.join(", ").toStdString();
  menu->close();
  window->close();
  qw::UnloadSubRegionMaps();
  qw::MDIFrmMain::Unload();
}

}  // namespace
