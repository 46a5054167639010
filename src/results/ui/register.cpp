#include "results/ui/register.h"

#include "app/ui/screens.h"
#include "results/ui/frm_list.h"
#include "results/ui/frm_list_all.h"

namespace qw {

void RegisterResultScreens() {
  Screens& screens = AppScreens();
  screens.unloadList = [] { frmList::Unload(); };
  screens.printList = [] { frmList::Instance()->PrintList(); };
  screens.sortDialog = [] { ShowSortDialog(); };
  screens.updateList = [] { frmList::Instance()->UpdateListAlternative(); };
  screens.showList = [] { ShowInMainWindow(frmList::Instance()); };
  screens.listMarinasCount = [] { return frmList::Instance()->GetMarinasCount(); };
  screens.listMarinaName = [](int row) { return frmList::Instance()->GetMarinaName(row); };
  screens.listMarinaNo = [](int row) { return frmList::Instance()->GetMarinaNo(row); };
}

}  // namespace qw
