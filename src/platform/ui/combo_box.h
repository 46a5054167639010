#pragma once
// A drop-down list addressed by position, whose click handling runs whenever
// the chosen entry changes, whether the user or the program changes it.
// Setting the entry that is already chosen raises nothing, and so do filling
// and emptying the list: a freshly filled list has no chosen entry (-1) until
// one is set.
#include <QComboBox>

namespace qw {

class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ComboBox(QWidget* parent = nullptr);

  void AddItem(const QString& text);
  void AddItems(const QStringList& texts);
  void Clear();
  int ListCount() const { return count(); }
  QString List(int index) const { return itemText(index); }
  // The chosen position, -1 when none.
  int ListIndex() const { return currentIndex(); }
  // Chooses a position (-1 for none). Returns false and changes nothing when
  // the list has no such position.
  bool SetListIndex(int index);
  // The text of the chosen entry, "" when none.
  QString Text() const { return currentIndex() < 0 ? QString() : currentText(); }

 signals:
  // The chosen entry changed (by the user or by the program).
  void Click();

 private:
  bool quiet_ = false;
};

}  // namespace qw
