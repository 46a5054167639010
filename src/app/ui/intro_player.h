#pragma once
// The intro player of the splash: plays the intro of the program folder
// (Marina_Final with any extension Qt can show: an animated picture, looped,
// or a still picture), scaled to fit and centred on black; black when there
// is none.
#include <QWidget>

class QMovie;

namespace qw {

class IntroPlayer : public QWidget {
  Q_OBJECT
 public:
  explicit IntroPlayer(QWidget* parent = nullptr);
  // Loads and starts the intro file; false (and black) when it cannot be shown.
  bool SetMovie(const QString& path);
  // The intro file of a folder, found without regard to case ("" when none).
  static QString FindIntro(const QString& folder);
  bool IsPlaying() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QMovie* movie_ = nullptr;
  QPixmap still_;
};

}  // namespace qw
