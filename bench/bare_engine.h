#pragma once
// The browser engine with nothing of the program around it: a plain view
// that loads a saved page and lays it out for print. The floor of the
// viewer's and the batch run's figures, measured in the same run.
#include <QByteArray>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <memory>

class QWebEngineView;

namespace qw::bench {

class BareEngine {
 public:
  // A shown view of the given size, as the viewer's browser is shown.
  explicit BareEngine(QSize size);
  ~BareEngine();
  // Loads the page file; false when it does not load within timeoutMs.
  bool Load(const QString& path, int timeoutMs = 30000);
  // The loaded page as a PDF in that page layout; empty when it fails or
  // takes longer than timeoutMs.
  QByteArray PrintToPdf(const QPageLayout& layout, int timeoutMs = 30000);

 private:
  std::unique_ptr<QWebEngineView> view_;
};

}  // namespace qw::bench
