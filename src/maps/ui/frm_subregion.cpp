#include "maps/ui/frm_subregion.h"

#include <QResizeEvent>
#include <array>
#include <utility>

#include "data/marina_db.h"
#include "maps/map_keys.h"
#include "maps/map_lists.h"
#include "maps/ui/frm_map_keys_grid.h"
#include "maps/ui/map_controls.h"
#include "maps/ui/map_key.h"
#include "platform/html_text.h"
#include "platform/program.h"
#include "platform/ui/double_click_rest.h"

namespace qw {

SubRegionMapWindow::SubRegionMapWindow(int k) : map_(*maps::MapNumber(k)) {
  SetMapWindowLook(this, map_.windowName);
  Picture1 = new MapPictureBox(ProgramFolder() + QLatin1Char('/') + map_.picture,
                               {maps::kSubRegionPictureLeft, 0, maps::kSubRegionPictureWidth, map_.pictureBoxHeight},
                               this);
  Label1 = new MapTitle(map_.title, 8.25, map_.titleRect, Picture1);
  for (const maps::MapMark& mark : map_.marks) {
    auto* img = new MapHotSpot(mark.ControlName(), mark.rect, Picture1);
    connect(img, &MapHotSpot::Click, this, [this, img, &mark] {
      // The report opens in the map's place: the rest of a double-click on
      // the mark must not reach what then lies under the pointer.
      const HoldRestOfDoubleClick rest(img->PressTimestamp());
      Img_Click(mark);
    });
    Marks.push_back(img);
  }
  connect(Picture1, &MapPictureBox::MouseUp, this, &SubRegionMapWindow::Picture1_MouseUp);
}

QSize SubRegionMapWindow::sizeHint() const { return MapWindowDesignSize(); }

QString SubRegionMapWindow::formload() const { return maps::MapKeys().formload[static_cast<size_t>(map_.k - 1)]; }

void SubRegionMapWindow::setFormload(const QString& key) {
  maps::MapKeys().formload[static_cast<size_t>(map_.k - 1)] = key;
}

void SubRegionMapWindow::Form_Load() {
  try {
    DatabasePtr db = OpenMarinaDatabase(-1, true);
    const QHash<int, QString> names = maps::MarkToolTipNames(*db);
    db->Close();
    for (size_t i = 0; i < Marks.size(); ++i) Marks[i]->setToolTip(PlainToolTip(names.value(map_.marks[i].marinaNo)));
  } catch (const std::exception&) {
    // Without the database the marks show no names; they still open reports.
  }
  maps::MakeMapCurrent(map_.k);
}

void SubRegionMapWindow::Form_Activate() {
  ChangeToolBox([](ToolBoxState state) {
    state.Button(11) = true;
    state.Button(12) = true;
    return state;
  });
  maps::MakeMapCurrent(map_.k);
  NoteActiveChild(this);
}

void SubRegionMapWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void SubRegionMapWindow::Form_Resize() { CentrePictureBox(this, Picture1); }

void SubRegionMapWindow::Picture1_MouseUp(Qt::MouseButton button) {
  if (button == Qt::RightButton) ShowMapKeysGrid();
}

void SubRegionMapWindow::Img_Click(const maps::MapMark& mark) {
  maps::MapSelected().marinaNo = mark.marinaNo;
  ShowMapMarinaReport();
}

MapHotSpot* SubRegionMapWindow::Img(int n) const {
  for (size_t i = 0; i < Marks.size(); ++i)
    if (map_.marks[i].number == n) return Marks[i];
  return nullptr;
}

namespace {

struct Access {
  SubRegionMapWindow* (*instance)();
  SubRegionMapWindow* (*loaded)();
  void (*unload)();
};

template <int K>
constexpr Access AccessOf() {
  return {[]() -> SubRegionMapWindow* { return SubRegionWindow<K>::Instance(); },
          []() -> SubRegionMapWindow* { return SubRegionWindow<K>::Loaded(); }, [] { SubRegionWindow<K>::Unload(); }};
}

template <size_t... I>
constexpr std::array<Access, sizeof...(I)> AccessTable(std::index_sequence<I...>) {
  return {AccessOf<static_cast<int>(I) + 1>()...};
}

constexpr auto kAccess = AccessTable(std::make_index_sequence<maps::kSubRegionCount>());

const Access* AccessFor(int k) {
  return k >= 1 && k <= maps::kSubRegionCount ? &kAccess[static_cast<size_t>(k - 1)] : nullptr;
}

}  // namespace

SubRegionMapWindow* SubRegionMapInstance(int k) {
  const Access* a = AccessFor(k);
  return a ? a->instance() : nullptr;
}

SubRegionMapWindow* LoadedSubRegionMap(int k) {
  const Access* a = AccessFor(k);
  return a ? a->loaded() : nullptr;
}

SubRegionMapWindow* ShowSubRegionMap(int k) {
  SubRegionMapWindow* w = SubRegionMapInstance(k);
  if (w) ShowInMainWindow(w, true);
  return w;
}

void UnloadSubRegionMaps() {
  for (const Access& a : kAccess) a.unload();
}

}  // namespace qw
