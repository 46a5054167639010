#include "app/ui/intro_player.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QPainter>

namespace qw {

IntroPlayer::IntroPlayer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SFlash"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QString IntroPlayer::FindIntro(const QString& folder) {
  const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
  for (const QFileInfo& file : files) {
    if (file.completeBaseName().compare(QLatin1String("Marina_Final"), Qt::CaseInsensitive) != 0) continue;
    if (QImageReader(file.filePath()).canRead()) return file.filePath();
  }
  return QString();
}

bool IntroPlayer::SetMovie(const QString& path) {
  delete movie_;
  movie_ = nullptr;
  still_ = QPixmap();
  if (path.isEmpty() || !QFileInfo::exists(path)) {
    update();
    return false;
  }
  auto* movie = new QMovie(path, QByteArray(), this);
  if (movie->isValid() && movie->frameCount() != 1) {
    movie_ = movie;
    connect(movie_, &QMovie::frameChanged, this, [this] { update(); });
    // Loop for as long as the intro is up, whatever the file says.
    connect(movie_, &QMovie::finished, movie_, &QMovie::start);
    movie_->start();
  } else {
    delete movie;
    still_.load(path);
  }
  update();
  return movie_ != nullptr || !still_.isNull();
}

bool IntroPlayer::IsPlaying() const { return movie_ && movie_->state() == QMovie::Running; }

void IntroPlayer::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  const QPixmap frame = movie_ ? movie_->currentPixmap() : still_;
  if (frame.isNull()) return;
  // Show all of the picture, as large as fits.
  const QSize size = frame.size().scaled(this->size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(target, frame);
}

}  // namespace qw
