// Every demo marina's report as the viewer shows it: no text runs out of its
// box into a neighbour or off the page, and the side strips and the tab hold
// their whole text. Measured in the engine's own layout of the page.
#include <gtest/gtest.h>

#include "viewer_fixture.h"

namespace {

// For each box (found by the start of its position), how far its text may
// reach from the box's own top left corner before it meets the next box, a
// rule or the strip, in inches; then the vertical texts that do not fit.
const char* const kMeasure = R"JS(
(function(){
  var inch = 96, out = [];
  var boxes = [
    ['information box', 'left:0.25in;top:0.5in;', 3.75, 3.55],
    ['photo box', 'left:4in;top:0.4in;', 3.625, 2.76],
    ['contact box', 'left:4in;top:3.16in;', 3.625, 0.89],
    ['middle left', 'left:0.25in; top:4.15in;', 3.75, 3.95],
    ['middle right', 'left:4in; top:4.15in;', 3.625, 3.95],
    ['bottom band', 'left:0.25in; top:8.20in;', 7.25, 2.04],
    ['footer', 'top:10.3in;', 7.625, 0.6]];
  var tables = document.querySelectorAll('table');
  boxes.forEach(function(b){
    tables.forEach(function(t){
      if ((t.getAttribute('style') || '').indexOf(b[1]) < 0) return;
      var box = t.getBoundingClientRect(), right = 0, bottom = 0, words = '';
      var walk = document.createTreeWalker(t, NodeFilter.SHOW_TEXT), n;
      while ((n = walk.nextNode())) {
        if (!n.textContent.trim()) continue;
        var range = document.createRange();
        range.selectNodeContents(n);
        Array.prototype.forEach.call(range.getClientRects(), function(r){
          if (r.right > right) {
            right = r.right;
            var line = n.parentElement.closest('nobr') || n.parentElement;
            words = line.textContent.trim().slice(0, 90);
          }
          if (r.bottom > bottom) bottom = r.bottom;
        });
      }
      var overRight = right - box.left - b[2] * inch, overBottom = bottom - box.top - b[3] * inch;
      if (overRight > 1) out.push(b[0] + ' ' + (overRight / inch).toFixed(2) + ' in too wide at "' + words + '"');
      if (overBottom > 1) out.push(b[0] + ' ' + (overBottom / inch).toFixed(2) + ' in too long');
    });
  });
  document.querySelectorAll('div').forEach(function(d){
    if ((d.getAttribute('style') || '').indexOf('writing-mode') >= 0 && d.scrollHeight > d.clientHeight + 1)
      out.push('vertical text cut: ' + d.textContent.trim());
  });
  return out.join('; ');
})()
)JS";

using ReportFitTest = qw::testing::ViewerWindowTest;

TEST_F(ReportFitTest, EveryDemoReportFitsItsBoxes) {
  qw::AppScreens().showReport(qw::ReportHandOver{qw::ReportHandOver::Road::List, 1, 0});
  qw::frm_view_report* v = qw::frm_view_report::Loaded();
  ASSERT_NE(v, nullptr);
  const int count = v->lstMarinaNames->count();
  ASSERT_EQ(count, 227);
  QStringList misfits;
  for (int i = 0; i < count; ++i) {
    if (i > 0) v->lstMarinaNames->setCurrentRow(i);
    ASSERT_TRUE(v->wb->WaitForLoad(30000));
    const QVariant found = qw::testing::Evaluate(v->wb, QString::fromLatin1(kMeasure));
    ASSERT_TRUE(found.isValid());  // the measure ran to its end
    if (!found.toString().isEmpty())
      misfits << QStringLiteral("%1: %2").arg(v->CurrentMarinaNo()).arg(found.toString());
  }
  EXPECT_TRUE(misfits.isEmpty()) << misfits.size() << " reports:\n" << misfits.join('\n').toStdString();
}

}  // namespace
