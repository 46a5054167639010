#include "results/ui/register.h"

#include "app/ui/screens.h"
#include "results/ui/frm_list.h"
#include "results/ui/frm_list_all.h"
#include "results/ui/shell_links.h"

namespace qw {

void RegisterResultScreens() {
  Screens& screens = AppScreens();
  screens.unloadList = [] { FrmList::Unload(); };
  screens.printList = [] { FrmList::Instance()->PrintList(); };
  screens.sortDialog = [] { ShowSortDialog(); };
  screens.updateList = [] { FrmList::Instance()->UpdateListAlternative(); };
  screens.showList = [] { ShowScreen(FrmList::Instance()); };
}

}  // namespace qw
