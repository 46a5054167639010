#include "bare_engine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>
#include <optional>

namespace qw::bench {
namespace {

template <typename Done>
bool WaitUntil(Done&& done, int timeoutMs = 30000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return done();
}

}  // namespace

BareEngine::BareEngine(QSize size) : view_(std::make_unique<QWebEngineView>()) {
  view_->resize(size);
  view_->show();
}

BareEngine::~BareEngine() = default;

bool BareEngine::Load(const QString& path, int timeoutMs) {
  std::optional<bool> loaded;
  const auto connection = QObject::connect(view_.get(), &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
  view_->load(QUrl::fromLocalFile(path));
  WaitUntil([&] { return loaded.has_value(); }, timeoutMs);
  QObject::disconnect(connection);
  return loaded.value_or(false);
}

QByteArray BareEngine::PrintToPdf(const QPageLayout& layout, int timeoutMs) {
  // Held by the callback too: it may come after a wait that gave up.
  const auto pdf = std::make_shared<std::optional<QByteArray>>();
  view_->page()->printToPdf([pdf](const QByteArray& result) { *pdf = result; }, layout);
  WaitUntil([&] { return pdf->has_value(); }, timeoutMs);
  return pdf->value_or(QByteArray());
}

}  // namespace qw::bench
