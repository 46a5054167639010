#include "platform/ui/print_service_wait.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "platform/message_box.h"
#include "platform/print_pages.h"
#include "platform/program.h"
#include "platform/ui/twips.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

// The window of a call that takes a while: what is done, and Cancel.
class PrintServiceWait : public QDialog {
 public:
  PrintServiceWait(QWidget* parent, const QString& text)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("PrintServiceWait"));
    setWindowTitle(QStringLiteral("Printing"));
    setWindowModality(Qt::ApplicationModal);
    UseFixedFrame(this);
    DrawCaptionWithoutWindowManager(this);
    setFixedSize(TwipsToPixels(5220), TwipsToPixels(1500));
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lblStatus"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    PlaceTwips(label, 240, 120, 4740, 720);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    PlaceTwips(cancel, 3765, 900, 1215, 375);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  }
};

struct Call {
  PrintCall call;
  std::atomic<bool> done{false};
};

bool& Telling() {
  static bool telling = false;
  return telling;
}

// Asks every moment, while jobs are watched, what their watches found.
QTimer* NewsTimer() {
  static QPointer<QTimer> timer;
  if (!timer) {
    timer = new QTimer(qApp);
    timer->setInterval(500);
    QObject::connect(timer, &QTimer::timeout, [] {
      // A watch hands on its news before it ends: with none left, what they
      // found is all there already.
      if (WatchedPrintJobs() == 0 && !Telling()) timer->stop();
      TellPrintJobNews();
    });
  }
  return timer;
}

}  // namespace

bool WaitForPrintService(QWidget* parent, const QString& text, std::function<void(PrintCall& call)> work) {
  auto shared = std::make_shared<Call>();
  std::thread([shared, work = std::move(work)] {
    work(shared->call);
    shared->done = true;
  }).detach();
  QElapsedTimer clock;
  clock.start();
  std::unique_ptr<PrintServiceWait> window;
  bool cancelled = false;
  while (!shared->done && !cancelled) {
    if (!window && clock.elapsed() >= kPrintServiceWindowDelayMs) {
      window = std::make_unique<PrintServiceWait>(parent ? parent->window() : nullptr, text);
      QObject::connect(window.get(), &QDialog::rejected, [&] { cancelled = true; });
      window->show();
    }
    // Painting and timers go on; input only reaches the window, once shown
    // (it is modal): nothing else starts meanwhile.
    QEventLoop slice;
    QTimer::singleShot(20, &slice, &QEventLoop::quit);
    slice.exec(window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  }
  if (cancelled) shared->call.Cancel();
  if (window) {
    window->disconnect();
    window->hide();
  }
  return !cancelled;
}

void FollowPrintJob(const WatchedJob& job) {
  WatchPrintJob(job);
  NewsTimer()->start();
}

void TellPrintJobNews() {
  if (Telling()) return;  // one message at a time
  Telling() = true;
  for (const PrintJobNews& news : TakePrintJobNews()) {
    const QString what = QStringLiteral("\"%1\"").arg(news.title);
    if (news.failed)
      SayNotPrinted(what, news.text);
    else
      MsgBox(what + QStringLiteral(" has not printed yet: ") + news.text + u'.', MsgButtons::OK, MsgIcon::Information,
             kPrintStatusTitle);
  }
  Telling() = false;
}

}  // namespace qw
