#include "results/ui/register.h"

#include "host/ui/screens.h"
#include "results/ui/frm_list.h"
#include "results/ui/frm_list_all.h"

namespace qw {

void RegisterResultScreens() {
  Screens& screens = AppScreens();
  screens.unloadList = [] { frmList::Unload(); };
  screens.printList = [] { frmList::Instance()->PrintList(); };
  screens.sortDialog = [] { ShowSortDialog(); };
  // A list that this call loads is filled by its load; filling it again would
  // run the query twice and report a failing database twice.
  screens.updateList = [] {
    if (frmList* list = frmList::Loaded())
      list->UpdateListAlternative();
    else
      frmList::Instance();
  };
  screens.showList = [] { ShowInMainWindow(frmList::Instance()); };
  screens.listMarinasCount = [] { return frmList::Instance()->GetMarinasCount(); };
  screens.listMarinaName = [](int row) { return frmList::Instance()->GetMarinaName(row); };
  screens.listMarinaNo = [](int row) { return frmList::Instance()->GetMarinaNo(row); };
}

}  // namespace qw
